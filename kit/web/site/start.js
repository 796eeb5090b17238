// Starts the program once the page has its stage (the script is deferred),
// and offers the site's own files for use without a network.
(() => {
  const stage = document.getElementById('rekentol');
  const failed = () => {
    stage.replaceChildren();
    const p = document.createElement('p');
    p.className = 'failed';
    p.textContent = 'Rekentol kon niet starten. Laad de pagina opnieuw.';
    stage.append(p);
  };
  rekentol_entry({ noInitialRun: true }).then(m => {
    try {
      m.callMain([]);
    } catch (e) {
      if (e !== 'unwind') { console.error(e); failed(); }
    }
  }, e => { console.error(e); failed(); });
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
})();
