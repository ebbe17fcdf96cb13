// The window kept in the page's localStorage: one record, {"Time1": "1:00:00",
// ..., "FixLL": "", "Frame5": "North1", ...}, each text box's text and each
// pair's selected button under the names the program gives. Storage refused
// (private browsing, blocked, some file: pages) keeps nothing, silently.
mergeInto(LibraryManager.library, {
  $keptWindow: {texts: [], pairs: {}, write: function () {}},

  quorvel_keep_text__deps: ['$keptWindow'],
  quorvel_keep_text: function (id) {
    keptWindow.texts.push(document.getElementById(UTF8ToString(id)));
  },

  quorvel_keep_choice__deps: ['$keptWindow'],
  quorvel_keep_choice: function (pair, button) {
    const buttons = keptWindow.pairs[UTF8ToString(pair)] || [];
    buttons.push(document.getElementById(UTF8ToString(button)));
    keptWindow.pairs[UTF8ToString(pair)] = buttons;
  },

  quorvel_keep_window__deps: ['$keptWindow'],
  quorvel_keep_window: function (key, limit) {
    const name = UTF8ToString(key);
    let storage = null;
    try {
      storage = window.localStorage;
    } catch (refused) {
    }
    if (!storage) {
      return;
    }
    const texts = keptWindow.texts;
    const pairs = keptWindow.pairs;
    const pairNames = Object.keys(pairs);
    // The window as a record, from each box's text and each button's state.
    const windowAs = function (text, selected) {
      const record = {};
      texts.forEach(function (box) {
        record[box.id] = text(box);
      });
      pairNames.forEach(function (pair) {
        const button = pairs[pair].find(selected);
        record[pair] = button ? button.id : '';
      });
      return record;
    };
    const now = function () {
      return windowAs(function (box) { return box.value; },
                      function (button) { return button.checked; });
    };
    const starting = windowAs(function (box) { return box.defaultValue; },
                              function (button) { return button.defaultChecked; });
    // A record of exactly this window's fields and types, or none: anything
    // else (damaged, another version's, too long) is dropped whole.
    const kept = function () {
      let record;
      try {
        const text = storage.getItem(name);
        if (typeof text !== 'string' || text.length > limit) {
          return null;
        }
        record = JSON.parse(text);
      } catch (unreadable) {
        return null;
      }
      if (record === null || typeof record !== 'object' || Array.isArray(record) ||
          Object.keys(record).length !== texts.length + pairNames.length) {
        return null;
      }
      const own = function (field) {
        return Object.prototype.hasOwnProperty.call(record, field);
      };
      const fits = texts.every(function (box) {
        return own(box.id) && typeof record[box.id] === 'string';
      }) && pairNames.every(function (pair) {
        return own(pair) && pairs[pair].some(function (button) {
          return button.id === record[pair];
        });
      });
      return fits ? record : null;
    };
    const write = function () {
      const text = JSON.stringify(now());
      // Past the bound, or past what the browser grants, the last record
      // that fitted stays.
      if (text.length > limit) {
        return;
      }
      try {
        storage.setItem(name, text);
      } catch (full) {
      }
    };
    keptWindow.write = write;

    // Typing began before the program came when a control stands neither
    // as the page's markup started it nor as the record has it (what the
    // browser itself gave back of the record is no typing): that window
    // is kept as it stands. Otherwise every control is set, from the record
    // or to the start, so nothing the browser restored stays beside it.
    const record = kept();
    const shown = now();
    const typed = Object.keys(shown).some(function (field) {
      return shown[field] !== starting[field] && (record === null || shown[field] !== record[field]);
    });
    if (typed) {
      write();
    } else {
      // Only where it differs: the page's start-up does no needless work,
      // and the caret stays where it is.
      const wanted = record || starting;
      texts.forEach(function (box) {
        if (box.value !== wanted[box.id]) {
          box.value = wanted[box.id];
        }
      });
      pairNames.forEach(function (pair) {
        pairs[pair].forEach(function (button) {
          if (button.checked !== (button.id === wanted[pair])) {
            button.checked = button.id === wanted[pair];
          }
        });
      });
    }
    document.addEventListener('input', write);
    document.addEventListener('change', write);
    // At the latest as the page goes out of sight, where a phone may end it.
    document.addEventListener('visibilitychange', function () {
      if (document.visibilityState === 'hidden') {
        write();
      }
    });
    window.addEventListener('pagehide', write);
  },

  quorvel_window_changed__deps: ['$keptWindow'],
  quorvel_window_changed: function () {
    keptWindow.write();
  },
});
