// The functions of the accessibility mirror that the game imports from the page (declared in
// mirror_bridge.h); each hands its work to qzMirror, which mirror.js sets up in the same
// instance.
mergeInto(LibraryManager.library, {
  qz_mirror_begin: function (w, h, focusedId) { qzMirror.begin(w, h, focusedId); },
  qz_mirror_node: function (id, parentId, role, name, nameBytes, checked, x, y, w, h) {
    qzMirror.node(id, parentId, role, qzPage.string(name, nameBytes), checked !== 0, x, y, w, h);
  },
  qz_mirror_end: function () { qzMirror.end(); },
  qz_announce: function (text, textBytes) { qzMirror.announce(qzPage.string(text, textBytes)); },
});
