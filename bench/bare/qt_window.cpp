// A bare Qt 5 window of the game's first prompt's size, with one button and the prompt's
// title, to put the game's start-up time, memory and size next to another toolkit's floor.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Number of Players");
  window.resize(655, 336);
  QPushButton button("OK", &window);
  button.setGeometry(280, 150, 95, 36);
  window.show();
  return app.exec();
}
