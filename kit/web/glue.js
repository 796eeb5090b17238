// The one piece of script the backend needs: an element's events handed to
// the program, which cannot make a JavaScript function of its own.
Module['kitListen'] = (el, id, types, passive) => {
  for (const type of types)
    el.addEventListener(type, e => Module['kitDispatch'](id, e), { passive });
};
