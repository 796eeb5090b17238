// A pupil at a Chromebook: from the welcome screen to the menu, into each
// exercise screen, START, the exercise worked in the focused box, CONTROLE,
// the verdict, and back to the menu with STOP, by keyboard alone.
const { division } = require('./board');
const p = require('./pupil');

const { test, expect } = p;

// One exercise from START to its verdict, the n-th of its series.
async function exercise(page, screen, choose, n) {
  const board = await page.evaluate(p.readBoard);
  const work = division(board);
  expect(work, `no division on ${JSON.stringify(board)}`).not.toBeNull();
  const { dividend, divisor, quotient, remainder } = work;
  const line = `${dividend} gedeeld door ${divisor} is ${quotient} rest ${remainder}`;
  if (screen.family === 'blocks') {
    // Nothing to type: the divisor button, which START gave the focus, shares the blocks out.
    expect(board.focus).toMatchObject({ tag: 'button', name: String(divisor) });
    await page.keyboard.press(choose);
    await p.heardSoon(page, (s) => s.includes('Elke groep krijgt ') && s.includes(line), line);
    return;
  }
  const moves = await p.work(page, p.byKeyboard(page));
  expect(moves.length).toBeGreaterThan(0);
  await p.pressOn(page, 'CONTROLE', 'Enter');
  const said = await p.heardSoon(page, (s) => s.includes('goed. '), '"goed. ..."');
  if (screen.family === 'estimation') {
    expect(said).toContain(line);
    expect((await page.evaluate(p.readBoard)).labels).toContain(`${dividend} : ${divisor} = ${quotient} rest ${remainder}`);
  } else {
    if (work.lowest === 0) expect(said).toContain(`Jouw uitkomst: ${quotient}`);
    expect(said).toContain(`${n} van ${n} juist.`);
  }
}

test.describe('keyboard', () => {
  for (const [i, screen] of p.SCREENS.entries()) {
    // Space and Enter both choose a button; the rows take turns.
    const choose = i % 2 ? 'Enter' : 'Space';
    test(`${screen.button} (${screen.family})`, async ({ page }) => {
      await p.load(page);
      const menu = page.getByRole('dialog', { name: 'CIJFERDEEL' });
      const welcomeTabs = await p.pressOn(page, p.WELCOME, 'Enter');
      await expect(menu).toBeVisible();
      test.info().annotations.push({ type: 'tabs to the welcome button', description: String(welcomeTabs) });
      await p.pressOn(page, screen.button, choose);
      await expect(menu).toBeHidden();
      // The written and place-value boards keep STOP away until a series is full.
      let right = 0;
      for (let n = 1; n === 1 || (n <= 12 && !(await p.control(page, 'button', 'STOP').isVisible())); n++) {
        if (n > 1) await p.pressOn(page, 'NIEUW', choose);
        await p.pressOn(page, 'START', choose);
        await exercise(page, screen, choose, n);
        right++;
      }
      await p.pressOn(page, 'STOP', choose);
      await expect(menu).toBeVisible();
      expect(await p.menuTotal(page)).toBe(String(screen.scores === false ? 0 : right));
    });
  }
});

// START leaves the accessibility tree a moment after the focus went into the
// box (so that a screen reader hears the focus arrive), but it does leave.
test('the button pressed leaves the tree after the focus has moved', async ({ page }) => {
  await p.load(page);
  await p.pressOn(page, p.WELCOME, 'Enter');
  await p.pressOn(page, 'Ik schat een deling :  tot 100', 'Enter');
  await p.pressOn(page, 'START', 'Enter');
  expect(await p.focusName(page)).toBe('ik schat');
  await expect(p.control(page, 'button', 'START')).toHaveCount(0);
});
