// The pupil's hands in Playwright: keys and taps on controls found by their
// accessible names, and what the page then says and shows by name.
const base = require('@playwright/test');

const { expect } = base;
// Every test's page: a fault the page throws (a trap in the program, a
// refusal by its own policy) fails the test that met it, by name.
const test = base.test.extend({
  page: async ({ page }, use) => {
    const faults = {};
    const count = (what) => (faults[what] = (faults[what] || 0) + 1);
    page.on('pageerror', (e) => count(`page error: ${e.message}`));
    page.on('console', (m) => {
      if (m.type() === 'error' && /Content Security Policy/i.test(m.text())) count(`refused: ${m.text().split('. ')[0]}`);
    });
    await use(page);
    expect(faults, 'faults in the page (each with how often)').toEqual({});
  },
});
const { readBoard, nextMove } = require('./board');

const WELCOME = 'Klik hier en start !';
const TOTAL = 'Totaal aantal juiste oefeningen:';

// The menu's buttons, the screens they open and what sets each apart for a test.
//   family: how the exercise is worked; inputmode: what the boxes ask of an
//   on-screen keyboard (no box takes a comma from the keys, and an iPad's
//   numeric keyboard has the sign and the point the first written board takes).
const SCREENS = [
  { button: 'Ik leer delen', family: 'blocks', scores: false },
  { button: 'Ik schat een deling : tot 100', family: 'estimation', inputmode: 'numeric' },
  { button: 'Ik schat een deling : tot 500', family: 'estimation', inputmode: 'numeric' },
  { button: 'Ik schat een deling: tot 1000', family: 'estimation', inputmode: 'numeric' },
  { button: 'Ik deel zonder rest', family: 'written', inputmode: 'numeric' },
  { button: 'Ik deel tot TE', family: 'placevalue', inputmode: 'numeric' },
  { button: 'Ik deel met rest', family: 'placevalue', inputmode: 'numeric' },
  { button: 'Ik deel tot 100 000', family: 'written', inputmode: 'numeric' },
  { button: 'Ik deel tot 100 000 met komma', family: 'written', inputmode: 'numeric' },
];

const clean = (s) => (s || '').replace(/\s+/g, ' ').trim();

// A control by the name a screen reader gives it, the way Playwright computes it.
const control = (page, role, name) => page.getByRole(role, { name, exact: true });

async function focusName(page) {
  return page.evaluate(() => {
    const a = document.activeElement;
    if (!a || a === document.body) return '';
    return (a.getAttribute('aria-label') || a.textContent || '').replace(/\s+/g, ' ').trim();
  });
}

async function load(page) {
  await page.goto('/');
  await expect(control(page, 'button', WELCOME)).toBeVisible({ timeout: 30_000 });
}

// Tabs until the named control holds the focus; how many Tabs that took.
async function tabTo(page, name, limit = 40) {
  for (let tabs = 0; tabs <= limit; tabs++) {
    if ((await focusName(page)) === clean(name)) return tabs;
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reached "${name}"; the focus is on "${await focusName(page)}"`);
}

async function pressOn(page, name, key = 'Enter') {
  const tabs = await tabTo(page, name);
  await page.keyboard.press(key);
  return tabs;
}

// Works the exercise in the focused box as a pupil who can divide, until
// nothing is left to write; the moves made. `hand` types one move.
async function work(page, hand, limit = 200) {
  const moves = [];
  for (let i = 0; i < limit; i++) {
    const move = nextMove(await page.evaluate(readBoard));
    if (!move) return moves;
    await hand(move);
    moves.push(move);
  }
  throw new Error(`still writing after ${limit} moves: ${JSON.stringify(moves.slice(-5))}`);
}

const byKeyboard = (page) => (move) => page.keyboard.press(move.erase ? 'Backspace' : move.type);

async function heard(page) {
  return clean(await page.locator('#heard').textContent());
}

// Waits until the live region says something that passes `test`; what it said.
async function heardSoon(page, test, what) {
  let said = '';
  try {
    await expect.poll(async () => test((said = await heard(page)))).toBe(true);
  } catch {
    // What the region said last, not when the wait began.
    throw new Error(`the live region should say ${what}; it says "${said}"`);
  }
  return said;
}

// The menu's total of right exercises, as the label beside its caption shows it.
async function menuTotal(page) {
  const labels = await page
    .getByRole('dialog', { name: 'CIJFERDEEL' })
    .locator('.label')
    .evaluateAll((ls) => ls.filter((l) => l.getClientRects().length).map((l) => l.textContent.trim()));
  const i = labels.indexOf(TOTAL);
  return i < 0 ? null : labels[i + 1];
}

module.exports = {
  test, expect, WELCOME, TOTAL, SCREENS, clean, control, focusName, load, tabTo, pressOn, work, byKeyboard, heard, heardSoon,
  menuTotal, readBoard,
};
