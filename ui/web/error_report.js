// The report of a failed calculation: one dialog, made at the first report
// and kept for the next.
mergeInto(LibraryManager.library, {
  quorvel_show_error_report: function (title, text) {
    let dialog = document.getElementById('error-report');
    if (dialog === null) {
      const element = function (tag, className) {
        const e = document.createElement(tag);
        e.className = className;
        return e;
      };
      dialog = element('dialog', 'error-report');
      dialog.id = 'error-report';
      // An alert: screen readers say the title and the text as it opens.
      dialog.setAttribute('role', 'alertdialog');
      dialog.setAttribute('aria-labelledby', 'error-report-title');
      dialog.setAttribute('aria-describedby', 'error-report-text');
      const heading = element('h2', 'error-report-title');
      heading.id = 'error-report-title';
      heading.textContent = UTF8ToString(title);
      const message = element('p', 'error-report-text');
      message.id = 'error-report-text';
      const ok = element('button', 'error-report-ok');
      ok.type = 'button';
      ok.textContent = 'OK';
      // The only thing in the dialog that takes the focus, so it has it
      // while the dialog is open: Enter presses it, and Escape cancels the
      // dialog on its own.
      ok.addEventListener('click', function () {
        dialog.close();
      });
      dialog.append(heading, message, ok);
      document.body.append(dialog);
    }
    document.getElementById('error-report-text').textContent = UTF8ToString(text);
    dialog.showModal();
  },
});
