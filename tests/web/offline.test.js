// Nothing leaves the site's origin and nothing stays behind: a whole run with
// the service worker at work, what the browser keeps afterwards, the page's
// own policy, and the welcome screen again once the server is gone.
const { test, expect } = require('@playwright/test');
const path = require('node:path');
const p = require('./pupil');

const SITE = process.env.REKENTOL_WEB_SITE || path.resolve(__dirname, '../../build/web/site');

// The sources a policy directive may name: its own origin and keywords, no
// host, no scheme; pictures may also come inline (data: names no server).
const ALLOWED = /^('self'|'none'|'wasm-unsafe-eval'|'unsafe-inline'|'strict-dynamic'|'sha(256|384|512)-[^']+')$/;
const allowed = (directive, source) => ALLOWED.test(source) || (directive === 'img-src' && source === 'data:');

test('one run stays on its origin, keeps nothing, and the welcome screen works without the server', async ({ browser }) => {
  // A server of this test's own, so that it can be stopped under the page.
  const { serve } = await import('./serve.mjs');
  const server = await serve(SITE, 0);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const context = await browser.newContext({ baseURL: origin + '/' });
  const foreign = [];
  context.on('request', (r) => {
    const url = r.url();
    if (!url.startsWith(origin + '/') && !/^(data|blob):/.test(url)) foreign.push(url);
  });
  const page = await context.newPage();
  try {
    const response = await page.goto('/');
    await expect(p.control(page, 'button', p.WELCOME)).toBeVisible({ timeout: 30_000 });

    // The policy the page itself sends, as a header or in its head.
    const policy = [response.headers()['content-security-policy'],
      await page.locator('meta[http-equiv="Content-Security-Policy" i]').getAttribute('content').catch(() => null)]
      .filter(Boolean).join('; ');
    expect(policy, 'the page sends no Content-Security-Policy').not.toBe('');
    const directives = Object.fromEntries(policy.split(';').map((d) => d.trim().split(/\s+/)).filter((d) => d[0])
      .map(([name, ...sources]) => [name.toLowerCase(), sources]));
    expect(directives['default-src'], `no default-src in "${policy}"`).toBeTruthy();
    const wide = Object.entries(directives).flatMap(([name, sources]) =>
      name.endsWith('-src') || name === 'default-src' ? sources.filter((s) => !allowed(name, s)).map((s) => `${name} ${s}`) : []);
    expect(wide, `policy "${policy}" allows more than its own origin`).toEqual([]);

    // The service worker takes the page over; the next load is served through it.
    await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
    await page.reload();
    await expect(p.control(page, 'button', p.WELCOME)).toBeVisible({ timeout: 30_000 });
    expect(await page.evaluate(() => !!navigator.serviceWorker.controller)).toBe(true);

    // A run: the menu, a written division worked and checked.
    await p.pressOn(page, p.WELCOME);
    await p.pressOn(page, 'Ik deel tot 100 000');
    await p.pressOn(page, 'START');
    await p.work(page, p.byKeyboard(page));
    await p.pressOn(page, 'CONTROLE');
    await p.heardSoon(page, (s) => s.includes('goed. '), '"goed. ..."');

    expect(foreign, 'requests to another origin').toEqual([]);
    expect(await context.cookies()).toEqual([]);
    const kept = await page.evaluate(async () => ({
      localStorage: localStorage.length,
      sessionStorage: sessionStorage.length,
      indexedDB: (await indexedDB.databases()).map((d) => d.name),
    }));
    expect(kept).toEqual({ localStorage: 0, sessionStorage: 0, indexedDB: [] });
    const cached = await page.evaluate(async () => {
      const urls = [];
      for (const key of await caches.keys()) for (const r of await (await caches.open(key)).keys()) urls.push(r.url);
      return urls;
    });
    expect(cached.length, 'the service worker cached nothing').toBeGreaterThan(0);
    expect(cached.filter((u) => !u.startsWith(origin + '/'))).toEqual([]);
    test.info().annotations.push({ type: 'cached', description: cached.map((u) => u.slice(origin.length)).join(' ') });

    // No server at all now, and the browser told it is offline.
    server.closeAllConnections();
    await new Promise((done) => server.close(done));
    await context.setOffline(true);
    await page.reload();
    await expect(p.control(page, 'button', p.WELCOME)).toBeVisible({ timeout: 30_000 });
    await p.pressOn(page, p.WELCOME);
    await expect(page.getByRole('dialog', { name: 'CIJFERDEEL' })).toBeVisible();
    expect(foreign).toEqual([]);
  } finally {
    await context.close();
    if (server.listening) server.close();
  }
});
