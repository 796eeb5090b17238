// The one piece of script the backend needs: an element's events handed to
// the program, which cannot make a JavaScript function of its own.
Module['kitListen'] = (el, id, types, passive) => {
  for (const type of types)
    el.addEventListener(type, e => Module['kitDispatch'](id, e), { passive });
};


// What leaves the accessibility tree while it holds the focus, or held it
// earlier in the same handler (a screen moves the focus on before it hides the
// button pressed), stays in the tree a moment longer, unseen and untouchable:
// long enough for the browser to tell a screen reader first where the focus
// went. Removed in the same update, the control that had the focus makes Orca
// take the next box as its focus quietly, without the focus event that
// switches it from browse to focus mode, and the pupil's digits become
// heading jumps. Meanwhile Tab passes a hidden control by.
let focusLeft = null;
document.addEventListener('focusout', (e) => {
  focusLeft = e.target;
  queueMicrotask(() => { focusLeft = null; });
}, true);
const heldFocus = (el) => el.contains(document.activeElement) || (focusLeft !== null && el.contains(focusLeft));
// Once the browser has drawn a frame since (so its accessibility tree has
// told the focus), and not before 150 ms.
const afterFocusTold = (fn) => {
  const t0 = performance.now();
  requestAnimationFrame(() => setTimeout(() => setTimeout(fn, Math.max(0, 150 - (performance.now() - t0))), 0));
};

// A control that is being hidden.
Module['kitLeave'] = (el) => {
  if (!heldFocus(el)) return;
  if (el.kitLeaving === undefined) el.kitTabIndex = el.getAttribute('tabindex');
  const token = el.kitLeaving = {};
  el.classList.add('leaving');
  el.tabIndex = -1;
  afterFocusTold(() => {
    if (el.kitLeaving !== token) return;
    el.classList.remove('leaving');
    if (el.kitTabIndex === null) el.removeAttribute('tabindex');
    else el.setAttribute('tabindex', el.kitTabIndex);
    delete el.kitLeaving;
  });
};

// A window going out of use: inert at once, or a moment later when it had the
// focus (and until then deaf to the pointer).
Module['kitSetInert'] = (el, inert) => {
  delete el.kitInerting;
  if (!inert || el.inert || !heldFocus(el)) {
    el.classList.remove('leaving');
    el.inert = inert;
    return;
  }
  const token = el.kitInerting = {};
  el.classList.add('leaving');
  afterFocusTold(() => {
    if (el.kitInerting !== token) return;
    delete el.kitInerting;
    el.classList.remove('leaving');
    el.inert = true;
  });
};
