// What a pupil who can divide reads off the window in use and writes in the
// box that has the focus, by the boxes' accessible names only. One plain
// script for every driver: Playwright evaluates it in the page, WebDriver runs
// it with execute_script, node requires it for its pure rules.
//
// A box's name is "row, column": the row says which number of the working
// it belongs to (quotiënt, aftrekrij k, verschil k, bijgehaald k, rest; on
// the place-value boards the step is named by its place: aftrekrij
// tientallen, rest honderdtallen), the column says which digit of it.

const PLACES = {
  honderdduizendtallen: 5, tienduizendtallen: 4, duizendtallen: 3, honderdtallen: 2,
  tientallen: 1, eenheden: 0, tienden: -1, honderdsten: -2, duizendsten: -3,
};

// In the page: the window in use, its visible boxes and labels, the focus.
function readBoard() {
  const clean = (s) => (s || '').replace(/\s+/g, ' ').trim();
  const shown = (e) =>
    e.checkVisibility ? e.checkVisibility({ visibilityProperty: true }) : e.getClientRects().length > 0;
  const nameOf = (e) => clean(e.getAttribute('aria-label') || e.textContent);
  const active = document.activeElement;
  const win =
    (active && active.closest && active.closest('.window')) ||
    [...document.querySelectorAll('.window')].filter((w) => !w.hidden && !w.inert && shown(w)).pop();
  const board = { window: win ? clean(win.getAttribute('aria-label')) : null, boxes: [], labels: [], focus: null };
  if (active && active !== document.body) {
    board.focus = { tag: active.tagName.toLowerCase(), name: nameOf(active), value: active.value ?? null };
  }
  if (!win) return board;
  for (const b of win.querySelectorAll('input')) {
    if (!shown(b)) continue;
    board.boxes.push({ name: nameOf(b), value: b.value, readonly: b.readOnly, disabled: b.disabled });
  }
  for (const l of win.querySelectorAll('.label')) if (shown(l)) board.labels.push(clean(l.textContent));
  return board;
}

// The division on the board, worked as on paper: one step per dividend
// digit, from the highest place down. The estimation drills show it as labels
// ("53", ":", "3"); the boards as the dividend's boxes and the divisor's box;
// the block screen's divisor is the button it offers.
function division(board) {
  const digits = board.boxes
    .filter((b) => b.name.startsWith('deeltal, ') && /^\d$/.test(b.value))
    .map((b) => ({ place: PLACES[b.name.slice(9)], digit: Number(b.value) }))
    .filter((d) => d.place !== undefined)
    .sort((a, b) => b.place - a.place);
  const deler = board.boxes.find((b) => b.name === 'deler');
  let divisor = deler ? Number(deler.value) : NaN;
  if (!deler && board.focus && board.focus.tag === 'button' && /^\d$/.test(board.focus.name)) {
    divisor = Number(board.focus.name);
  }
  if (!digits.length) {
    const colon = board.labels.indexOf(':');
    if (colon < 1) return null;
    const dividend = Number(board.labels[colon - 1]);
    divisor = Number(board.labels[colon + 1]);
    if (!(dividend >= 0 && divisor >= 1)) return null;
    return { dividend, divisor, quotient: Math.floor(dividend / divisor), remainder: dividend % divisor, steps: [] };
  }
  if (!(divisor >= 1)) return null;
  const steps = [];
  let carried = 0;
  let quotient = 0;
  for (const { place, digit } of digits) {
    const number = 10 * carried + digit;
    const q = Math.floor(number / divisor);
    steps.push({ place, digit: q, product: q * divisor, difference: number - q * divisor });
    carried = number - q * divisor;
    quotient = 10 * quotient + q;
  }
  const dividend = digits.reduce((n, d) => 10 * n + d.digit, 0);
  return { dividend, divisor, quotient, remainder: carried, steps, digits, lowest: digits[digits.length - 1].place };
}

// The right text of the box with this name; null for a box this pupil does
// not write in (the dividend, a head, a box of another board).
function wantFor(board, name) {
  const work = division(board);
  if (!work) return null;
  if (name === 'ik schat') return String(work.quotient);
  const [row, column] = name.split(', ');
  const m = /^(quotiënt|aftrekrij|verschil|bijgehaald|rest)(?: (\S+))?$/u.exec(row);
  if (!m || !work.steps.length) return null;
  const [, kind, which] = m;
  const col = PLACES[column];
  if (column !== undefined && col === undefined) return null;
  const at = (p) => work.steps.find((s) => s.place === p);
  if (kind === 'quotiënt') return at(col) ? String(at(col).digit) : null;
  if (kind === 'bijgehaald') {
    const d = work.digits.find((x) => x.place === col);
    return d ? String(d.digit) : null;
  }
  const step =
    which === undefined ? work.steps[work.steps.length - 1]
      : /^\d+$/.test(which) ? work.steps[Number(which) - 1]
        : at(PLACES[which]);
  if (!step) return null;
  const value = kind === 'aftrekrij' ? step.product : step.difference;
  if (column === undefined) return String(value);
  const shift = col - step.place;
  return shift < 0 ? null : String(Math.floor(value / 10 ** shift) % 10);
}

// The pupil's next move in the focused box: a character to type, "erase"
// when the box holds something else, or null when there is nothing to write.
function nextMove(board) {
  const f = board.focus;
  if (!f || f.tag !== 'input') return null;
  const want = wantFor(board, f.name);
  if (want === null || f.value === want) return null;
  if (want.startsWith(f.value)) return { name: f.name, type: want[f.value.length], want };
  return { name: f.name, erase: true, want };
}

if (typeof module === 'object') module.exports = { PLACES, readBoard, division, wantFor, nextMove };
