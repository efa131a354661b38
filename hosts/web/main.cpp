// The browser front end's entry point: the host, the game and its page view live here for the
// whole run, and this loop hands the game the page's input, one event at a time.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/embedded_assets.h"
#include "hosts/web/game_page.h"
#include "hosts/web/page_bridge.h"
#include "hosts/web/page_language.h"
#include "hosts/web/web_host.h"
#include "i18n/catalogue.h"
#include "ui/frmQuintoz.h"

namespace {

// The page's work while it loads comes in short tasks, with the browser's own between them, so
// that the first question, shown before the game has loaded, takes every key at once.
void letThePageRun() {
  emscripten_sleep(0);
}

}  // namespace

int main() {
  // The WebAssembly's instantiation has had its task; building the game takes one of its own.
  letThePageRun();
  webhost::WebHost host;
  // The page's language; the catalogue reads these bytes for as long as the game runs.
  const std::vector<std::uint8_t> language = webhost::pageCatalogue();
  frmQuintoz game(host, i18n::Catalogue(language));
  letThePageRun();
  webhost::GamePage page(game, host);
  host.attach(page);
  letThePageRun();
  for (const auto& [name, kind] : webhost::kEventKinds) {
    qz_event_kind(name.data(), static_cast<int>(name.size()), static_cast<int>(kind));
  }
  const auto sound = assets::bytes(assets::AssetId::RollSound);
  qz_sound_load(sound.data(), static_cast<int>(sound.size()));
  // The game the page kept when it went away, if any, comes back as it was; otherwise, as on
  // the desktop, the start-up asks for the players before the window first appears.
  std::string saved(static_cast<std::size_t>(std::max(qz_saved_game_bytes(), 0)), '\0');
  if (!saved.empty()) {
    qz_take_saved_game(saved.data());
    page.resume(saved);
  } else {
    page.start();
  }
  page.show();
  // Each wait for the next event suspends the game and gives the page back to the browser;
  // events that came while a handler ran (during a timed wait) are queued and come in order.
  // The loop ends only with the program, inside a handler (host.endProgram).
  std::array<std::int32_t, webhost::kEventFields> fields{};
  for (;;) {
    const auto kind = static_cast<webhost::EventKind>(qz_next_event(fields.data()));
    page.dispatch({kind, fields[1], fields[2], fields[3], fields[4], fields[5]});
  }
}
