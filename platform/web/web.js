// What platform/ asks of the page that a C library cannot do: waits that give
// the page back to the browser (Asyncify), and message boxes as page dialogs.
// An Emscripten JS library (--js-library); the functions that wait are named
// in -sASYNCIFY_IMPORTS. They wake through callUserCallback, so an exit() in
// the code they resume ends the program quietly.
mergeInto(LibraryManager.library, {
  // Waits until an input event has been handled (by SDL's listeners too) or
  // ms have passed; 1 when input ended the wait, 0 when the time ran out.
  dg_wait_input__deps: ['$callUserCallback'],
  dg_wait_input: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      var kinds = ['keydown', 'keyup', 'mousedown', 'mouseup', 'blur', 'focus'];
      var timer;
      function done(ev) {
        clearTimeout(timer);
        kinds.forEach(function(k) { window.removeEventListener(k, done); });
        callUserCallback(function() { wakeUp(ev ? 1 : 0); });
      }
      // Bubble-phase listeners on window added after SDL's run after them, so
      // the key state already holds this event when the program resumes.
      kinds.forEach(function(k) { window.addEventListener(k, done); });
      timer = setTimeout(function() { done(null); }, ms);
    });
  },

  // Gives the browser one turn (painting what was drawn, handling input) and
  // comes back at once: a message to ourselves is not held back by the
  // minimum delay nested timers have.
  dg_yield__deps: ['$callUserCallback'],
  dg_yield: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      var channel = new MessageChannel();
      channel.port1.onmessage = function() {
        channel.port1.close();
        callUserCallback(wakeUp);
      };
      channel.port2.postMessage(0);
    });
  },

  // The pieces of the Mincho face (platform/gdi/face_web.cpp), fetched into
  // /dg/mincho/ of the file system from the site's face folder: the one
  // dg_add_program names (Module.dgFace), else mincho/ beside the page (a
  // page copied with the folder beside it); the HTTP cache keeps them for
  // every page of the site. single.ttf comes before the program starts (a
  // run dependency, while the wasm compiles) and settles the folder. A fetch
  // resolves true when the piece came, false when it could not be had.
  $dgFaceFetch__deps: ['$FS'],
  $dgFaceFetch: function(name, dirs) {
    dirs = dirs || [Module['dgFaceDir']];
    var url = dirs[0] + name + '.ttf';
    return fetch(url).then(function(r) {
      if (!r.ok) throw new Error(url + ': ' + r.status);
      return r.arrayBuffer();
    }).then(function(b) {
      Module['dgFaceDir'] = dirs[0];
      FS.mkdirTree('/dg/mincho');
      FS.writeFile('/dg/mincho/' + name + '.ttf', new Uint8Array(b));
      return true;
    }).catch(function(e) {
      if (dirs.length > 1) return dgFaceFetch(name, dirs.slice(1));
      err('dg: ' + e.message);
      return false;
    });
  },
  dg_fetch_faces__deps: ['$callUserCallback', '$dgFaceFetch'],
  dg_fetch_faces__postset: "addOnPreRun(function() { addRunDependency('dgFace'); " +
    "var dirs = [Module['dgFace'] || 'mincho/']; if (dirs[0] !== 'mincho/') dirs.push('mincho/'); " +
    "Module['dgFaceDir'] = dirs[0]; " +
    "dgFaceFetch('single', dirs).then(function() { removeRunDependency('dgFace'); }); });",
  dg_fetch_faces: function(names) {
    names = UTF8ToString(names).split(' ');
    return Asyncify.handleSleep(function(wakeUp) {
      Promise.all(names.map(function(n) { return dgFaceFetch(n); })).then(function() {
        callUserCallback(function() { wakeUp(0); });
      });
    });
  },

  // Puts w x h pixels, RGBA bytes at rgba in the program's memory, at the
  // canvas's top left (show_web.cpp). The context is the canvas's one 2D
  // context, as SDL would have made it.
  dg_show_canvas: function(rgba, w, h) {
    var canvas = Module['canvas'];
    var ctx = canvas.getContext('2d');
    if (!ctx) return;
    ctx.putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h), 0, 0);
  },

  // A modal message box as a <dialog> in the page (#dgDialog): the caption
  // as its heading, the text, and Yes and No (yesno) or OK (#dgDialogYes,
  // #dgDialogNo, #dgDialogOk). Resolves to 1 for Yes or OK, 0 for No. Enter
  // takes the first button, Esc answers No (or OK). Keys pressed in the
  // dialog stay in it: the program does not see them go down.
  dg_ask_dialog__deps: ['$callUserCallback'],
  dg_ask_dialog: function(caption, text, yesno) {
    caption = UTF8ToString(caption);
    text = UTF8ToString(text);
    return Asyncify.handleSleep(function(wakeUp) {
      var d = document.createElement('dialog');
      d.id = 'dgDialog';
      var h = document.createElement('h1');
      h.id = 'dgDialogCaption';
      h.textContent = caption;
      var p = document.createElement('p');
      p.id = 'dgDialogText';
      p.textContent = text;
      d.appendChild(h);
      d.appendChild(p);
      var answered = false;
      function answer(v) {
        if (answered) return;
        answered = true;
        d.close();
        d.remove();
        callUserCallback(function() { wakeUp(v); });
      }
      var buttons = yesno ? [['Yes', 'はい', 1], ['No', 'いいえ', 0]] : [['Ok', 'OK', 1]];
      var row = document.createElement('div');
      buttons.forEach(function(b) {
        var e = document.createElement('button');
        e.id = 'dgDialog' + b[0];
        e.textContent = b[1];
        e.onclick = function() { answer(b[2]); };
        row.appendChild(e);
      });
      d.appendChild(row);
      d.addEventListener('cancel', function(ev) { ev.preventDefault(); answer(yesno ? 0 : 1); });
      // (Keys let go go on to the program, so that none stays down there.)
      ['keydown', 'keypress'].forEach(function(k) {
        d.addEventListener(k, function(ev) { ev.stopPropagation(); });
      });
      document.body.appendChild(d);
      d.showModal();
      row.firstChild.focus();
    });
  },
});
