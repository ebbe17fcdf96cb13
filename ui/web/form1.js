// The window's side in the page. The page's HTML already holds the controls,
// each with its control table name as its id, so the program looks each up
// by that name when it needs it and keeps nothing of the page.
mergeInto(LibraryManager.library, {
  quorvel_listen_for_click: function (id, handler) {
    const button = document.getElementById(UTF8ToString(id));
    button.addEventListener('click', function () {
      {{{ makeDynCall('v', 'handler') }}}();
    });
    // The click works from now on; the markup said it would not yet.
    button.removeAttribute('aria-disabled');
  },

  quorvel_control_value: function (id, out, capacity) {
    const text = document.getElementById(UTF8ToString(id)).value;
    stringToUTF8(text, out, capacity);
    return lengthBytesUTF8(text);
  },

  quorvel_control_checked: function (id) {
    return document.getElementById(UTF8ToString(id)).checked;
  },

  quorvel_show_fix: function (id, fix) {
    const box = document.getElementById(UTF8ToString(id));
    box.value = UTF8ToString(fix);
    // In one column the fix box stands near the top, a screen away from the
    // button: brought into view, so a tap on a phone visibly gives its fix.
    // Where it is in view already, nothing moves. At the next frame, whose
    // layout it then shares: the first click comes before the window's
    // first layout has been done.
    requestAnimationFrame(function () {
      box.scrollIntoView({block: 'nearest'});
    });
  },
});
