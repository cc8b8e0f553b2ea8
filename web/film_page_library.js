// What the page and the program share, in one place. The program (C++, src/base/page_web.h)
// calls the functions below; the page (page.html) reads and writes these fields of `Module`:
//
//   Module.film          the film as the last frame left it: {position, length, paused, ended,
//                        muted, automatic, held, at, shots}; `at` is the page clock's reading
//                        (performance.now()) that goes with `position`.
//   Module.onFilmFrame   the page's function, called with Module.film after every frame.
//   Module.framesShown   frames the page has shown; Module.framesDrawn those that drew a picture.
//   Module.seekRequest   seconds the page asks the film to move to, taken by the next frame.
//   Module.filmAt        a number holds the film's clock at that second (a tool's setting).
//   Module.canvasSize    the page's function: the size the canvas draws at.
//   Module.filmKeys      the program's key codes for the keys the page's controls press:
//                        {pause, camera, mute, back, forward, shift}.
//   Module.pressKey      presses one of those keys, as the keyboard would.
//   Module.music         the music player: prepare(), wake(), setVolume(level), and what a
//                        recording of its output needs (context, output, buffer, starts).
//
// The music plays through Web Audio: the track is decoded once, and every play starts a source
// at a moment of the audio clock with the sample the film is at when that moment is heard, so
// the music sounds with the film from its first sample. A frame checks that it still does (a
// page frozen in the background, an audio clock that stalled) and starts it again where not.

mergeInto(LibraryManager.library, {
  $LumenvaleMusic__deps: ['$FS'],
  $LumenvaleMusic: {
    context: null,
    output: null,       // every sound passes through it: the page's volume
    decoded: {},        // path -> promise of its AudioBuffer
    buffer: null,       // the open track, once decoded
    path: null,
    source: null,
    mode: 0,            // 0 stopped, 1 playing, 2 paused
    film: null,         // while playing: {second, at}, the film's second at performance.now() `at`
    pausedAt: 0,        // the film's second a pause stopped at
    starts: [],         // each source started: {when (audio clock), offset (seconds into the track)}
    generation: 0,
    lead: 0.06,         // how far ahead of the audio clock a start is placed, in seconds
    tolerance: 0.015,   // how far the music may be off the film before it is started again
    volume: 1,

    // The audio context is made before the viewer's first click (it waits, suspended, and
    // decodes meanwhile); the click wakes it.
    ensureContext: function() {
      if (LumenvaleMusic.context) return LumenvaleMusic.context;
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      const context = new Context();
      const output = context.createGain();
      output.gain.value = LumenvaleMusic.volume;
      output.connect(context.destination);
      LumenvaleMusic.context = context;
      LumenvaleMusic.output = output;
      // A page that was frozen or hidden comes back with its film moved on, and its audio clock
      // perhaps stopped meanwhile: the music is checked at once, and again once the browser's
      // output has settled (without frames while the page stays hidden).
      const check = function() {
        LumenvaleMusic.keepWithFilm();
        setTimeout(LumenvaleMusic.keepWithFilm, 300);
        setTimeout(LumenvaleMusic.keepWithFilm, 1000);
      };
      context.addEventListener('statechange', check);
      document.addEventListener('resume', check);
      document.addEventListener('visibilitychange', check);
      return context;
    },

    // Decodes every track of the data package's audio folder; resolves once all are ready.
    prepare: function() {
      const context = LumenvaleMusic.ensureContext();
      if (!context) return Promise.resolve();
      const folder = '/resources/audio';
      const names = FS.analyzePath(folder).exists ? FS.readdir(folder) : [];
      const waits = names.filter(function(name) { return /\.(opus|ogg)$/.test(name); })
                         .map(function(name) { return LumenvaleMusic.decode(folder + '/' + name); });
      return Promise.all(waits.map(function(wait) { return wait.catch(function() {}); }));
    },

    decode: function(path) {
      const key = path.replace(/^\/+/, '');
      if (!LumenvaleMusic.decoded[key]) {
        const bytes = FS.readFile('/' + key);
        LumenvaleMusic.decoded[key] = new Promise(function(resolve, reject) {
          LumenvaleMusic.context.decodeAudioData(bytes.slice().buffer, resolve, reject);
        });
      }
      return LumenvaleMusic.decoded[key];
    },

    wake: function() {
      const context = LumenvaleMusic.ensureContext();
      if (context && context.state !== 'running') context.resume().catch(function() {});
    },

    setVolume: function(level) {
      LumenvaleMusic.volume = Math.min(1, Math.max(0, level));
      if (LumenvaleMusic.output) LumenvaleMusic.output.gain.value = LumenvaleMusic.volume;
    },

    held: function() { return typeof Module.filmAt === 'number'; },

    // The film's second at the page clock's reading `time`.
    filmAt: function(time) {
      return LumenvaleMusic.film.second + (time - LumenvaleMusic.film.at) / 1000;
    },

    // The page clock's reading when the audio clock's `when` is heard. The browser says which of
    // its clock's moments is being heard when; before it knows, or while what it says is old (a
    // clock that has just started again), its output delay is added to the clock's time now.
    heardAt: function(when) {
      const context = LumenvaleMusic.context;
      const stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : null;
      const fresh = stamp && stamp.performanceTime > 0 && stamp.contextTime > 0 &&
                    Math.abs(performance.now() - stamp.performanceTime) < 250;
      if (fresh) {
        return stamp.performanceTime + (when - stamp.contextTime) * 1000;
      }
      const delay = (context.outputLatency || 0) + (context.baseLatency || 0);
      return performance.now() + (when - context.currentTime + delay) * 1000;
    },

    // The track's second at the film's second, the track looping for a film longer than it.
    trackSecond: function(second) {
      const length = LumenvaleMusic.buffer.duration;
      return ((second % length) + length) % length;
    },

    stopSource: function(when) {
      const source = LumenvaleMusic.source;
      LumenvaleMusic.source = null;
      if (!source) return;
      try { source.stop(when); } catch (error) { source.disconnect(); }
    },

    // Starts the track at a moment a little ahead, with the sample the film is at then; the
    // sound playing so far stops at that very moment.
    schedule: function() {
      const generation = ++LumenvaleMusic.generation;
      const context = LumenvaleMusic.context;
      if (LumenvaleMusic.mode !== 1 || !context || LumenvaleMusic.held()) {
        LumenvaleMusic.stopSource();
        return;
      }
      const later = function() { if (generation === LumenvaleMusic.generation) LumenvaleMusic.schedule(); };
      if (!LumenvaleMusic.buffer) {
        LumenvaleMusic.decode(LumenvaleMusic.path).then(function(buffer) {
          LumenvaleMusic.buffer = buffer;
          later();
        }, function(error) {
          console.info('Music: the browser cannot decode the track (' + error + ')');
        });
        return;
      }
      if (context.state !== 'running') {
        context.resume().then(later, function() {});
        return;
      }
      const when = context.currentTime + LumenvaleMusic.lead;
      const offset = LumenvaleMusic.trackSecond(LumenvaleMusic.filmAt(LumenvaleMusic.heardAt(when)));
      LumenvaleMusic.stopSource(when);
      const source = context.createBufferSource();
      source.buffer = LumenvaleMusic.buffer;
      source.loop = true;
      source.connect(LumenvaleMusic.output);
      source.start(when, offset);
      LumenvaleMusic.source = source;
      LumenvaleMusic.starts.push({when: when, offset: offset});
      if (LumenvaleMusic.starts.length > 32) LumenvaleMusic.starts.shift();
    },

    // How far the music heard now is ahead of the film (seconds); none before the latest start
    // is heard.
    offFilm: function() {
      const start = LumenvaleMusic.starts[LumenvaleMusic.starts.length - 1];
      const now = performance.now();
      const started = LumenvaleMusic.heardAt(start.when);
      if (now < started) return null;
      const heard = LumenvaleMusic.trackSecond(start.offset + (now - started) / 1000);
      const length = LumenvaleMusic.buffer.duration;
      let ahead = heard - LumenvaleMusic.trackSecond(LumenvaleMusic.filmAt(now));
      if (ahead > length / 2) ahead -= length;
      if (ahead < -length / 2) ahead += length;
      return ahead;
    },

    keepWithFilm: function() {
      const context = LumenvaleMusic.context;
      if (LumenvaleMusic.mode !== 1 || !context) return;
      // A clock that stopped (a frozen page) is started again; the change of state comes back.
      if (context.state !== 'running') {
        context.resume().catch(function() {});
        return;
      }
      if (!LumenvaleMusic.source) {
        if (LumenvaleMusic.buffer && !LumenvaleMusic.held()) LumenvaleMusic.schedule();
        return;
      }
      const ahead = LumenvaleMusic.offFilm();
      if (LumenvaleMusic.held() || (ahead !== null && Math.abs(ahead) > LumenvaleMusic.tolerance)) {
        LumenvaleMusic.schedule();
      }
    },

    play: function(second) {
      LumenvaleMusic.mode = 1;
      LumenvaleMusic.film = {second: second, at: performance.now()};
      LumenvaleMusic.schedule();
    },

    pause: function(rewind) {
      if (LumenvaleMusic.mode === 1) LumenvaleMusic.pausedAt = LumenvaleMusic.filmAt(performance.now());
      if (rewind) LumenvaleMusic.pausedAt = 0;
      LumenvaleMusic.mode = rewind ? 0 : 2;
      LumenvaleMusic.generation++;
      LumenvaleMusic.stopSource();
    },
  },

  // ---- The music device ----

  // Opens the track at `path`: an empty answer (0) when it can play, else why not.
  lumenvale_music_open__deps: ['$LumenvaleMusic', 'malloc'],
  lumenvale_music_open__postset: 'Module.music = LumenvaleMusic;',
  lumenvale_music_open: function(path) {
    try {
      if (!LumenvaleMusic.ensureContext()) throw new Error('this browser has no Web Audio');
      LumenvaleMusic.path = UTF8ToString(path);
      LumenvaleMusic.buffer = null;
      LumenvaleMusic.mode = 0;
      LumenvaleMusic.decode(LumenvaleMusic.path).then(function(buffer) {
        if (LumenvaleMusic.path === UTF8ToString(path)) LumenvaleMusic.buffer = buffer;
      }, function() {});
      return 0;
    } catch (error) {
      const text = 'cannot read ' + UTF8ToString(path) + ': ' + error;
      const size = lengthBytesUTF8(text) + 1;
      const copy = _malloc(size);
      stringToUTF8(text, copy, size);
      return copy;
    }
  },

  // From `second` of the film (the track looping past its end); where it paused when negative.
  lumenvale_music_play__deps: ['$LumenvaleMusic'],
  lumenvale_music_play: function(second) {
    LumenvaleMusic.play(second >= 0 ? second : LumenvaleMusic.pausedAt);
  },

  lumenvale_music_pause__deps: ['$LumenvaleMusic'],
  lumenvale_music_pause: function(rewind) {
    LumenvaleMusic.pause(rewind);
  },

  // 1 playing, 2 paused, 0 stopped. Asked once a frame: the frame's chance to keep the music
  // with the film.
  lumenvale_music_mode__deps: ['$LumenvaleMusic'],
  lumenvale_music_mode: function() {
    LumenvaleMusic.keepWithFilm();
    return LumenvaleMusic.mode;
  },

  lumenvale_music_close__deps: ['$LumenvaleMusic'],
  lumenvale_music_close: function() {
    LumenvaleMusic.pause(1);
    LumenvaleMusic.path = null;
    LumenvaleMusic.buffer = null;
  },

  // ---- The film on the page ----

  lumenvale_publish_film: function(position, length, paused, ended, muted, automatic, drawn) {
    if (drawn) Module.framesDrawn = (Module.framesDrawn || 0) + 1;
    Module.film = {position: position, length: length, paused: !!paused, ended: !!ended,
                   muted: !!muted, automatic: !!automatic, held: typeof Module.filmAt === 'number',
                   at: performance.now(), shots: Module.film ? Module.film.shots : []};
    if (Module.onFilmFrame) Module.onFilmFrame(Module.film);
  },

  lumenvale_publish_shots: function(starts, count) {
    Module.film = Module.film || {};
    Module.film.shots = Array.from(HEAPF64.subarray(starts >> 3, (starts >> 3) + count));
  },

  // A negative number when no seek was asked for.
  lumenvale_take_seek: function() {
    const seconds = Module.seekRequest;
    Module.seekRequest = undefined;
    return typeof seconds === 'number' && isFinite(seconds) ? Math.max(seconds, 0) : -1;
  },

  // The page's canvas, sized by the page for the size it is shown at; width x 65536 + height,
  // or 0 while the page does not size it.
  lumenvale_fit_canvas: function() {
    if (!Module.canvasSize) return 0;
    const size = Module.canvasSize();
    const canvas = Module.canvas;
    if (canvas.width !== size.width) canvas.width = size.width;
    if (canvas.height !== size.height) canvas.height = size.height;
    return size.width * 65536 + size.height;
  },

  // The second `Module.filmAt` holds the film at, or a negative number while it holds none.
  lumenvale_held_second: function() {
    const at = Module.filmAt;
    return typeof at === 'number' && at >= 0 ? at : -1;
  },

  lumenvale_frame_shown: function() {
    Module.framesShown = (Module.framesShown || 0) + 1;
  },

  lumenvale_frames_shown: function() {
    return Module.framesShown | 0;
  },

  lumenvale_publish_keys: function(pause, camera, mute, back, forward, shift) {
    Module.filmKeys = {pause: pause, camera: camera, mute: mute, back: back, forward: forward,
                       shift: shift};
    Module.pressKey = function(key) { Module._lumenvale_press_key(key); };
  },
});
