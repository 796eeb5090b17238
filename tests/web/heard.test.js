// What a pupil who cannot see the screen gets: the live region the page holds
// from its first byte, the task after START, the help, the verdict after
// CONTROLE, and nothing of an old verdict once the next exercise is there.
const { division } = require('./board');
const p = require('./pupil');

const { test, expect } = p;

// Words only: what the screen shows as "53 : 3" is heard as "53 gedeeld door 3".
const words = (s) => s.toLowerCase().match(/[\p{L}\p{N}]+/gu) || [];
// Every word of `shown`, in its order, within `said`.
function saysAll(said, shown) {
  const heardWords = words(said);
  let at = 0;
  for (const w of words(shown)) {
    at = heardWords.indexOf(w, at);
    if (at < 0) return false;
    at++;
  }
  return words(shown).length > 0;
}

async function labels(page) {
  return (await page.evaluate(p.readBoard)).labels.filter(Boolean);
}

// The help line that a press of HULP brings into view: its text, and what was heard.
async function askHelp(page) {
  const before = await labels(page);
  const said = await p.heard(page);
  const hulp = p.control(page, 'button', 'HULP');
  await expect(hulp).toBeVisible();
  await hulp.click();
  const heard = await p.heardSoon(page, (s) => s !== '' && s !== said, 'the help sentence');
  const line = (await labels(page)).filter((l) => !before.includes(l)).sort((a, b) => b.length - a.length)[0];
  expect(line, 'the help shows no sentence').toBeTruthy();
  expect(saysAll(heard, line), `heard "${heard}" for the help line "${line}"`).toBe(true);
  return line;
}

async function toScreen(page, button) {
  await p.load(page);
  await p.pressOn(page, p.WELCOME);
  await p.pressOn(page, button);
}

test('the live region is in the page from its first byte and stays the same element', async ({ page, request }) => {
  const html = await (await request.get('/index.html')).text();
  expect(html).toMatch(/<div(?=[^>]*\bid="heard")(?=[^>]*\baria-live="polite")[^>]*>/);
  await page.addInitScript(() => {
    document.addEventListener('DOMContentLoaded', () => {
      window.__heardAtStart = document.getElementById('heard');
    });
  });
  await p.load(page);
  expect(await page.evaluate(() => window.__heardAtStart === document.getElementById('heard'))).toBe(true);
  await expect(page.locator('#heard')).toHaveAttribute('aria-live', 'polite');
});

test('estimation: the task, the help, a wrong estimate, then nothing of it at the next START', async ({ page }) => {
  await toScreen(page, 'Ik schat een deling : tot 100');
  await p.pressOn(page, 'START');
  const { dividend, divisor, quotient, remainder } = division(await page.evaluate(p.readBoard));
  const task = await p.heardSoon(page, (s) => s !== '', 'the task');
  expect(task).toBe(`${dividend} gedeeld door ${divisor}. Schat de uitkomst. ik schat.`);

  await askHelp(page);
  await page.keyboard.type(String(quotient + 20));
  const before = await labels(page);
  await p.pressOn(page, 'CONTROLE');
  const verdict = await p.heardSoon(page, (s) => s.includes('fout. '), '"fout. ..."');
  const result = `${dividend} : ${divisor} = ${quotient} rest ${remainder}`;
  expect(verdict).toContain(`${dividend} gedeeld door ${divisor} is ${quotient} rest ${remainder}`);
  // Why it is wrong stands in the help line, and is heard.
  const reason = (await labels(page)).filter((l) => !before.includes(l) && l !== result)[0];
  expect(reason, 'no reason shown for a wrong estimate').toBeTruthy();
  expect(saysAll(verdict, reason) || saysAll(await p.heard(page), reason), `reason "${reason}" not heard`).toBe(true);
  test.info().annotations.push({ type: 'heard', description: [task, verdict].join(' | ') });

  await p.pressOn(page, 'START');
  await p.heardSoon(page, (s) => s.includes('Schat de uitkomst.'), 'the next task');
  const tree = await page.locator('body').ariaSnapshot();
  expect(tree).not.toContain('fout.');
  expect(tree).not.toContain(reason);
});

test('written board: the task, the help, a wrong remainder, then nothing of it after NIEUW', async ({ page }) => {
  await toScreen(page, 'Ik deel zonder rest');
  await p.pressOn(page, 'START');
  const task = await p.heardSoon(page, (s) => s.includes(' gedeeld door '), 'the task');
  const { dividend, divisor } = division(await page.evaluate(p.readBoard));
  expect(task).toContain(`${dividend} gedeeld door ${divisor}`);
  // The box the pupil begins in is named last.
  expect(task.endsWith(`${await p.focusName(page)}.`), task).toBe(true);
  await askHelp(page);

  await p.work(page, p.byKeyboard(page));
  const rest = p.control(page, 'textbox', 'rest, eenheden');
  await rest.click();
  await page.keyboard.press('Backspace');
  await page.keyboard.type('7');
  await p.pressOn(page, 'CONTROLE');
  const verdict = await p.heardSoon(page, (s) => s.includes('fout. Jouw uitkomst: '), '"fout. Jouw uitkomst: ..."');
  expect(verdict).toContain('Fout in: rest.');
  test.info().annotations.push({ type: 'heard', description: [task, verdict].join(' | ') });

  await p.pressOn(page, 'NIEUW');
  const tree = await page.locator('body').ariaSnapshot();
  for (const stale of ['fout.', 'Jouw uitkomst', 'Fout in']) expect(tree).not.toContain(stale);
  expect(await p.heard(page)).toBe('');
});
