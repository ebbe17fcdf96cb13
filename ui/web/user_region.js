// The user's number separators, as the browser writes numbers for them.
mergeInto(LibraryManager.library, {
  quorvel_number_separator: function (type, out, capacity) {
    // Millions, not thousands: some locales (Spanish, Polish) group only
    // numbers of five digits or more. A locale that never groups has none.
    const wanted = UTF8ToString(type);
    const part = new Intl.NumberFormat().formatToParts(1234567.5).find(function (p) {
      return p.type === wanted;
    });
    const text = part === undefined ? '' : part.value;
    stringToUTF8(text, out, capacity);
    return lengthBytesUTF8(text);
  },
});
