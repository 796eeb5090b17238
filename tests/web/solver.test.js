// The pupil's arithmetic, without a page: what each named box must hold.
// Worked by hand: 737 : 3 = 245 rest 2 (7 - 6 = 1; 13 - 12 = 1; 17 - 15 = 2)
// and 12,5 : 5 = 2,5 (1 - 0 = 1; 12 - 10 = 2; 25 - 25 = 0).
const { test, expect } = require('@playwright/test');
const { wantFor, nextMove } = require('./board');

const boxes = (pairs) => pairs.map(([name, value]) => ({ name, value }));
const written = {
  labels: [],
  boxes: boxes([['deeltal, honderdtallen', '7'], ['deeltal, tientallen', '3'], ['deeltal, eenheden', '7'], ['deler', '3']]),
};
const decimal = {
  labels: [],
  boxes: boxes([['deeltal, tientallen', '1'], ['deeltal, eenheden', '2'], ['deeltal, tienden', '5'], ['deler', '5']]),
};
const estimate = { labels: ['53', ':', '3', '=', '?', 'ik schat', ''], boxes: boxes([['ik schat', '']]) };

const ROWS = [
  [written, 'quotiënt, honderdtallen', '2'],
  [written, 'quotiënt, tientallen', '4'],
  [written, 'aftrekrij 1, honderdtallen', '6'],
  [written, 'verschil 1, honderdtallen', '1'],
  [written, 'bijgehaald 1, tientallen', '3'],
  [written, 'aftrekrij 2, honderdtallen', '1'],
  [written, 'aftrekrij 2, tientallen', '2'],
  [written, 'verschil 2, tientallen', '1'],
  [written, 'bijgehaald 2, eenheden', '7'],
  [written, 'aftrekrij 3, eenheden', '5'],
  [written, 'rest, eenheden', '2'],
  // The place-value boards name a step by its place.
  [written, 'rest honderdtallen, honderdtallen', '1'],
  [written, 'bijgehaald tientallen, tientallen', '3'],
  [written, 'aftrekrij tientallen, honderdtallen', '1'],
  [written, 'aftrekrij eenheden, eenheden', '5'],
  [written, 'deeltal, honderdtallen', null],
  [written, 'deler', null],
  [decimal, 'quotiënt, tientallen', '0'],
  [decimal, 'quotiënt, tienden', '5'],
  [decimal, 'aftrekrij 2, tientallen', '1'],
  [decimal, 'aftrekrij 3, eenheden', '2'],
  [decimal, 'rest, tienden', '0'],
  [estimate, 'ik schat', '17'],
];

test('every named box has its digit', () => {
  const got = ROWS.map(([board, name]) => [name, wantFor(board, name)]);
  expect(got).toEqual(ROWS.map(([, name, want]) => [name, want]));
});

test('the next key turns what a box holds into its digits, or erases it', () => {
  const at = (value) => nextMove({ ...estimate, focus: { tag: 'input', name: 'ik schat', value } });
  expect([at(''), at('1'), at('17'), at('2'), at('170')]).toEqual([
    { name: 'ik schat', type: '1', want: '17' },
    { name: 'ik schat', type: '7', want: '17' },
    null,
    { name: 'ik schat', erase: true, want: '17' },
    { name: 'ik schat', erase: true, want: '17' },
  ]);
});
