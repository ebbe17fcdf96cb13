// Emscripten's string helpers, and getWasmTableEntry that makeDynCall becomes,
// are part of the runtime in Debian 12's emscripten (3.1.6) and of the
// library in later ones (Debian 13's 3.1.69), where a function that calls one
// must name it among its deps or the page fails with a ReferenceError. Linked
// after the page sides: each of their functions names those the library has.
(function () {
  const helpers = ['$UTF8ToString', '$stringToUTF8', '$lengthBytesUTF8', '$getWasmTableEntry'].filter(
    function (helper) {
      return helper in LibraryManager.library;
    });
  Object.keys(LibraryManager.library).forEach(function (name) {
    if (name.startsWith('quorvel_') && !name.includes('__')) {
      const deps = LibraryManager.library[name + '__deps'] || [];
      LibraryManager.library[name + '__deps'] = deps.concat(helpers);
    }
  });
})();
