// The pupil of orca_chromium.sh: Chromium on the session's display with its
// accessibility tree on, the site from a server of our own; every key goes
// in through X (xdotool), as a pupil's does, so Orca hears and handles it as
// it would; the board is only read (by names, board.js) to know what to
// type. Prints what Orca spoke after each step.
const { chromium } = require('@playwright/test');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { readBoard, nextMove, division } = require('./board');

const LOG = path.join(process.env.REKENTOL_ORCA_WORK || '', 'orca.log');
const SITE = process.env.REKENTOL_WEB_SITE || path.resolve(__dirname, '../../build/web/site');
const SPEECH = /SPEECH OUTPUT: '(.*)' ?\{'established/;
const sleep = (ms) => new Promise((ok) => setTimeout(ok, ms));
const clean = (s) => (s || '').replace(/\s+/g, ' ').trim();

let offset = 0;
const logLines = () => (fs.existsSync(LOG) ? fs.readFileSync(LOG, 'utf8').split('\n') : []);
// What Orca spoke since the last call, once its log has been quiet a while.
async function heard(quiet = 1500, longest = 8000) {
  const start = Date.now();
  let count = logLines().length;
  let since = Date.now();
  while (Date.now() - start < longest) {
    await sleep(250);
    const n = logLines().length;
    if (n !== count) [count, since] = [n, Date.now()];
    else if (Date.now() - since >= quiet) break;
  }
  const lines = logLines();
  const fresh = lines.slice(offset);
  offset = lines.length;
  return fresh.map((l) => SPEECH.exec(l)).filter(Boolean).map((m) => m[1]);
}

async function step(title, keys, typed) {
  if (keys) execFileSync('xdotool', ['key', '--delay', '120', ...keys.split(' ')]);
  if (typed) execFileSync('xdotool', ['type', '--delay', '150', typed]);
  const said = await heard();
  console.log(`\n== ${title}`);
  for (const s of said) console.log(`   ${s}`);
  return said;
}

let page;
const focusName = () => page.evaluate(() => {
  const a = document.activeElement;
  return a && a !== document.body ? (a.getAttribute('aria-label') || a.textContent || '').replace(/\s+/g, ' ').trim() : '';
});

async function tabTo(name, limit = 40) {
  for (let tabs = 0; tabs <= limit; tabs++) {
    if ((await focusName()) === clean(name)) {
      if (tabs) await step(`Tab (${tabs}x) to "${name}"`);
      return;
    }
    execFileSync('xdotool', ['key', 'Tab']);
    await sleep(400);
  }
  throw new Error(`never reached "${name}"; the focus is on "${await focusName()}"`);
}

// What a box holds, by its name: the focus may have moved on by then.
const boxValue = (name) => page.evaluate((n) => {
  const box = [...document.querySelectorAll('input')].find((b) => b.getAttribute('aria-label') === n);
  return box ? box.value : null;
}, name);

// Types into the focused box. Orca in browse mode takes digits for its own
// (heading levels): when the box did not get them, that is said, and the
// pupil switches Orca to focus mode (Insert+A) and types again.
async function typeInBox(title, text) {
  const name = await focusName();
  const before = await boxValue(name);
  await step(title, null, text);
  const after = await boxValue(name);
  if (before === null || after === before + text) return;
  console.log(`   (the box holds "${after}", not "${before + text}": Orca kept keys; Insert+A to focus mode, typed again)`);
  await step('Insert+A: focus mode', 'Insert+a');
  const extra = Math.max(0, (after || '').length - before.length);
  if (extra) await step(`BackSpace x${extra}`, Array(extra).fill('BackSpace').join(' '));
  await step(`${title}, again`, null, text);
}

// Works the board until nothing is left to write; a wrong pupil puts one
// more in the remainder and stops there.
async function work(wrong) {
  for (let i = 0; i < 60; i++) {
    const move = nextMove(await page.evaluate(readBoard));
    if (!move) return;
    if (move.erase) {
      await step(`Backspace in "${move.name}"`, 'BackSpace');
      continue;
    }
    const last = wrong && move.name.startsWith('rest');
    const digit = last ? String((Number(move.want) + 1) % 10) : move.type;
    await typeInBox(`type ${digit} in "${move.name}"`, digit);
    if (last) return;
  }
  throw new Error('the board never stopped asking');
}

async function estimation() {
  await tabTo('Ik schat een deling : tot 100');
  await step('space on "Ik schat een deling :  tot 100"', 'space');
  for (const verdict of ['right', 'wrong']) {
    await tabTo('START');
    await step('START', 'space');
    const { quotient } = division(await page.evaluate(readBoard));
    if (verdict === 'wrong') await step('F1: help for the estimate', 'F1');
    const estimate = quotient + (verdict === 'right' ? 0 : 20);
    await typeInBox(`type the estimate ${estimate} (${verdict})`, String(estimate));
    await tabTo('CONTROLE');
    await step('CONTROLE', 'space');
  }
  await tabTo('STOP');
  await step('STOP: back to the menu', 'space');
}

async function written() {
  await tabTo('Ik deel zonder rest');
  await step('space on "Ik deel zonder rest"', 'space');
  for (const verdict of ['right', 'wrong']) {
    if (verdict === 'wrong') {
      await tabTo('NIEUW');
      await step('NIEUW', 'space');
    }
    await tabTo('START');
    await step('START', 'space');
    const { dividend, divisor } = division(await page.evaluate(readBoard));
    console.log(`   (board: ${dividend} : ${divisor})`);
    if (verdict === 'wrong') {
      await step('F1: help for the box in focus', 'F1');
      await step('F1 again: the stronger hint', 'F1');
    }
    await work(verdict === 'wrong');
    await tabTo('CONTROLE');
    await step('CONTROLE', 'space');
  }
}

(async () => {
  for (let i = 0; i < 60; i++) if ((await heard(500, 1000)).some((s) => s.includes('Schermlezer aan'))) break;
  const { serve } = await import('./serve.mjs');
  const server = await serve(SITE, 0);
  const browser = await chromium.launch({
    headless: false,
    executablePath: process.env.REKENTOL_CHROMIUM || '/usr/lib/chromium/chromium',
    args: ['--no-sandbox', '--force-renderer-accessibility', '--lang=nl', '--start-maximized'],
    env: { ...process.env, ACCESSIBILITY_ENABLED: '1' },
  });
  let status = 0;
  try {
    page = await browser.newPage({ viewport: null, locale: 'nl-NL' });
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.getByRole('button', { name: 'Klik hier en start !', exact: true }).waitFor({ timeout: 60_000 });
    await step('the page is there');
    // The keys go to the address bar until the pupil clicks into the page:
    // a click on an empty corner, where no control lies.
    execFileSync('xdotool', ['mousemove', '4', '760', 'click', '1']);
    await step('a click into an empty corner of the page');
    await tabTo('Klik hier en start !');
    await step("Return on the welcome screen's button", 'Return');
    await estimation();
    await written();
    console.log('\nsession ran to its end');
  } catch (e) {
    console.log(`\nsession stopped: ${e.message}`);
    status = 1;
  } finally {
    await browser.close();
    server.close();
  }
  process.exit(status);
})();
