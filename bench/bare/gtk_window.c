/* A bare GTK 3 window of the game's first prompt's size, with one button and the prompt's
 * title, to put the game's start-up time, memory and size next to another toolkit's floor. */
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Number of Players");
  gtk_window_set_default_size(GTK_WINDOW(window), 655, 336);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
  GtkWidget* button = gtk_button_new_with_label("OK");
  gtk_widget_set_halign(button, GTK_ALIGN_CENTER);
  gtk_widget_set_valign(button, GTK_ALIGN_CENTER);
  gtk_container_add(GTK_CONTAINER(window), button);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
