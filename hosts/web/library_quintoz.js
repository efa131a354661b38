// The functions the game imports from the page (declared in page_bridge.h). Each hands its
// work to qzPage, which page.js sets up in the same instance; the ones that wait for the player
// suspend the game through Asyncify until the page calls wakeUp with the answer.
mergeInto(LibraryManager.library, {
  qz_paint_begin: function () { qzPage.paintBegin(); },
  qz_clip_push: function (x, y, w, h) { qzPage.clipPush(x, y, w, h); },
  qz_clip_pop: function () { qzPage.clipPop(); },
  qz_fill: function (x, y, w, h, rgb) { qzPage.fill(x, y, w, h, rgb); },
  qz_text: function (x, y, w, h, text, textBytes, families, familiesBytes, pixels, bold, rgb,
                     align) {
    qzPage.text(x, y, w, h, qzPage.string(text, textBytes),
                qzPage.string(families, familiesBytes), pixels, bold, rgb, align);
  },
  qz_text_width: function (text, textBytes, families, familiesBytes, pixels, bold) {
    return qzPage.textWidth(qzPage.string(text, textBytes),
                            qzPage.string(families, familiesBytes), pixels, bold);
  },
  qz_image: function (x, y, w, h, rgb) { qzPage.image(x, y, w, h, rgb); },
  qz_forget_pictures: function () { qzPage.forgetPictures(); },
  qz_focus_rect: function (x, y, w, h) { qzPage.focusRect(x, y, w, h); },
  qz_mark_painted: function (text, textBytes) {
    qzPage.markPainted(qzPage.string(text, textBytes));
  },
  qz_event_kind: function (name, nameBytes, value) {
    qzPage.eventKind(qzPage.string(name, nameBytes), value);
  },
  qz_show_window: function (w, h) { qzPage.showWindow(w, h); },
  qz_board_shape: function (shape, w, h) { qzPage.boardShape(shape, w, h); },
  qz_board_choice: function () { return qzPage.boardChoice(); },
  qz_device_scale: function () { return qzPage.deviceScale(); },
  qz_size_canvas: function (w, h) { qzPage.sizeCanvas(w, h); },
  qz_window_icon: function (w, h, rgb) { qzPage.windowIcon(w, h, rgb); },
  qz_tool_tip: function (text, textBytes, x, y, w, h) {
    qzPage.toolTip(qzPage.string(text, textBytes), x, y, w, h);
  },
  qz_drag_window: function () { qzPage.dragWindow(); },
  qz_sound_load: function (wave, bytes) { qzPage.soundLoad(wave, bytes); },
  qz_sound_play: function () { qzPage.soundPlay(); },
  qz_next_event: function (fields) {
    return Asyncify.handleSleep(function (wakeUp) { qzPage.nextEvent(fields, wakeUp); });
  },
  qz_input_box: function (prompt, promptBytes, title, titleBytes, defaultText, defaultBytes) {
    return Asyncify.handleSleep(function (wakeUp) {
      qzPage.inputBox(qzPage.string(prompt, promptBytes), qzPage.string(title, titleBytes),
                      qzPage.string(defaultText, defaultBytes)).then(wakeUp);
    });
  },
  qz_take_answer: function (out) { qzPage.takeAnswer(out); },
  qz_message_box: function (text, textBytes, title, titleBytes, yesNo, defaultNo) {
    return Asyncify.handleSleep(function (wakeUp) {
      qzPage.messageBox(qzPage.string(text, textBytes), qzPage.string(title, titleBytes),
                        yesNo !== 0, defaultNo !== 0).then(wakeUp);
    });
  },
  qz_end: function () {
    return Asyncify.handleSleep(function () { qzPage.end(); });
  },
  qz_saved_game_bytes: function () { return qzPage.savedGameBytes(); },
  qz_take_saved_game: function (out) { qzPage.takeSavedGame(out); },
  qz_save_game: function (text, textBytes) { qzPage.saveGame(qzPage.string(text, textBytes)); },
  qz_forget_game: function () { qzPage.forgetGame(); },
  qz_real_text: function (value, out, capacity) {
    // Digits, a point, a sign and an exponent: ASCII, one byte each.
    var s = String(value).slice(0, capacity);
    for (var i = 0; i < s.length; ++i) HEAPU8[out + i] = s.charCodeAt(i);
    return s.length;
  },
  qz_catalogue_bytes: function () { return Module.catalogue ? Module.catalogue.length : 0; },
  qz_take_catalogue: function (out) { if (Module.catalogue) HEAPU8.set(Module.catalogue, out); },
  qz_replay_failed: function (why, whyBytes) {
    var reason = qzPage.string(why, whyBytes);
    return Asyncify.handleSleep(function () { qzPage.replayFailed(reason); });
  },
});
