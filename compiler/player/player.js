// The page's own player for browsers without the character control. It plays the same show as
// the page's classic script from the steps the compiler recorded: each character performs its
// steps one after another, and a "wait" step holds a character until the named speech request
// was spoken. Written for old script engines too (no newer syntax), so that a browser that runs
// the classic script reads this block without an error and leaves it at the first test.
//
// data.w, data.h: the recipient's screen that the spots are given for.
// data.l: the message's language, when it has one.
// data.c: [name, x, y] of every character, at its start spot.
// data.s: the steps, [character, verb, ...]: "show", "hide", "move" x y, "play" animation,
//         "say" text [request], "read" text [request], "wait" request.
// window.parlinoSpeed, when a positive number, divides every time of the show (for tests).
//
// Browsers speak one utterance at a time, so the player hands them one at a time too, in the
// order the characters come to speak, and shows each balloon from its utterance's start to its
// end. A clock stands in for the voice only where there is no speech or it fails.
function parlinoPlayer(data, css) {
    if ("ActiveXObject" in window || !document.createElement || !window.addEventListener) {
        return;
    }
    var steps = data.s, chars = data.c, i, acts = 0;
    for (i = 0; i < steps.length; i++) {
        if (steps[i][1] !== "show" && steps[i][1] !== "hide") {
            acts++;
        }
    }
    if (!acts || !chars.length) {
        return;
    }
    // Animation lengths in milliseconds; any other name gets a plain gesture.
    var ANIMS = {
        RestPose: 1000, Alert: 1200, Announce: 2000, Congratulate: 2400, Confused: 2000,
        Decline: 1800, DontRecognize: 2000, Explain: 2400, GestureDown: 1600, GestureLeft: 1600,
        GestureRight: 1600, GestureUp: 1600, GetAttention: 2200, Greet: 2200, Pleased: 1800,
        Read: 2600, Sad: 2200, Suggest: 1800, Surprised: 1600, Think: 2600, Uncertain: 2200,
        Wave: 2200, Write: 2600
    };
    // Pitches far enough apart to tell characters that share one voice.
    var PITCH = [1, 0.7, 1.4, 0.85, 1.2, 0.6, 1.55, 0.95, 1.3, 0.75];
    var SIZE = 128, PIECE = 200;
    var synth = window.speechSynthesis, Utterance = window.SpeechSynthesisUtterance;
    var lang = data.l || "", mute = !synth || !Utterance;
    var still = !!(window.matchMedia && window.matchMedia("(prefers-reduced-motion: reduce)").matches);
    var stage, button, label, pauser, bar, note, live, actors = [], run = null, state = "ready";
    var known = null, spoke = false, controls, top0 = 0, pad = 0, reading = null, lastPara = -1, lastAt = 0, paras = null, view = null, done = 0;

    function speed() {
        var s = +window.parlinoSpeed;
        return s > 0 ? s : 1;
    }
    function now() {
        return new Date().getTime();
    }
    function el(tag, cls, parent) {
        var e = document.createElement(tag);
        e.className = cls;
        if (parent) {
            parent.appendChild(e);
        }
        return e;
    }
    function klass(e, name, on) {
        var c = (" " + e.className + " ").replace(" " + name + " ", " ");
        e.className = (on ? c + name : c).replace(/^ +| +$/g, "");
    }
    // The window's size; while Play places every character it is read once, not once each.
    function viewport() {
        var d = document.documentElement;
        return view || { w: d.clientWidth || window.innerWidth, h: d.clientHeight || window.innerHeight };
    }
    function size(v) {
        return Math.min(SIZE, Math.floor(Math.min(v.w, v.h) / 3));
    }
    // The classic spot (x, y) on the recipient's screen, scaled to this window: the margins and
    // the room left beside a character keep their share, so the lower right stays lower right.
    function spot(x, y) {
        var v = viewport(), s = size(v);
        var fx = x / Math.max(1, data.w - SIZE), fy = y / Math.max(1, data.h - SIZE);
        return {
            x: Math.max(0, Math.min(Math.round(fx * (v.w - s)), v.w - s)),
            y: Math.max(0, Math.min(Math.round(fy * (v.h - s)), v.h - s)),
            size: s
        };
    }
    function place(a, x, y, glide) {
        var p = spot(x, y), dx = p.x - a.px, dy = p.y - a.py;
        var ms = glide && !still ? Math.min(2000, Math.max(400, Math.sqrt(dx * dx + dy * dy) * 3)) : 0;
        var st = a.node.style;
        a.x = x;
        a.y = y;
        a.px = p.x;
        a.py = p.y;
        a.size = p.size;
        st.setProperty("--pm", ms / speed() + "ms");
        st.width = st.height = p.size + "px";
        st.left = p.x + "px";
        st.top = p.y + "px";
        return ms;
    }
    // A voice of its own for every character: the voices of the message's language in turn,
    // and where they are fewer than the characters, a pitch and a rate of its own as well.
    function voices() {
        var want = (lang || document.documentElement.lang || navigator.language || "en").toLowerCase();
        var all = known || listVoices(), exact = [], same = [], list, k, v, key, n;
        for (k = 0; k < all.length; k++) {
            v = (all[k].lang || "").toLowerCase().replace("_", "-");
            if (v === want) {
                exact.push(all[k]);
            } else if (v.split("-")[0] === want.split("-")[0]) {
                same.push(all[k]);
            }
        }
        list = exact.concat(same);
        for (k = 0; k < actors.length; k++) {
            v = actors[k];
            key = v.name.toLowerCase();
            n = key === "genie" ? 0 : key === "merlin" ? 1 : key === "robby" ? 2 : k + 3;
            v.voice = list.length ? list[k % list.length] : null;
            v.pitch = list.length > k ? 1 : PITCH[n % PITCH.length];
            v.rate = list.length > k ? 1 : 0.85 + (n * 7 % 5) / 16;
        }
    }

    // The browser's voices, asked for once: some browsers take long to answer.
    function listVoices() {
        try {
            known = synth.getVoices() || [];
        } catch (e) {
            known = [];
        }
        return known;
    }

    // --- the clock -----------------------------------------------------------------------

    function arm(r, t) {
        t.at = now();
        t.id = setTimeout(function () {
            t.gone = true;
            if (run === r) {
                t.fn();
            }
        }, t.left);
    }
    // Runs fn after ms of the show (divided by the test speed), or of real time with `real`.
    function later(r, ms, fn, real) {
        var t = { fn: fn, left: real ? ms : ms / speed() };
        if (t.left < 1 && !r.paused) {
            fn();
            return;
        }
        r.timers.push(t);
        if (!r.paused) {
            arm(r, t);
        }
    }
    function pause(on) {
        var r = run, k, t, left = [];
        if (!r || r.paused === on) {
            return;
        }
        r.paused = on;
        for (k = 0; k < r.timers.length; k++) {
            t = r.timers[k];
            if (t.gone) {
                continue;
            }
            if (on) {
                clearTimeout(t.id);
                t.left = Math.max(0, t.left - (now() - t.at));
            } else {
                arm(r, t);
            }
            left.push(t);
        }
        r.timers = left;
        try {
            if (!mute) {
                if (on) {
                    synth.pause();
                } else {
                    synth.resume();
                }
            }
        } catch (e) {
            // The clock alone pauses.
        }
        klass(stage, "parl-paused", on);
        setState(on ? "paused" : "playing");
    }

    // --- balloons, captions and the paragraph being read -----------------------------------

    function balloon(a, text) {
        var b = a.balloon, v, r, c, s = a.size || SIZE, x, y;
        if (text === null) {
            b.hidden = true;
            return;
        }
        v = viewport();
        b.textContent = text;
        b.hidden = false;
        r = b.getBoundingClientRect();
        // Beside the character where it fits, else over it; above it, else level with it, so
        // that it stays in the character's band and off the text being read.
        x = a.px + s + r.width < v.w ? a.px + s * 0.8 : a.px - r.width + s * 0.2;
        y = a.py - r.height + 20;
        if (y < 4) {
            y = a.py + 4;
        }
        x = Math.max(4, Math.min(x, v.w - r.width - 4));
        // Never under the controls at the top right.
        c = controls.getBoundingClientRect();
        if (x + r.width > c.left && y < c.bottom + 6) {
            y = c.bottom + 6;
        }
        b.style.left = x + "px";
        b.style.top = Math.max(4, Math.min(y, v.h - r.height - 4)) + "px";
    }
    // Long texts are shown and spoken a sentence or two at a time, never cut: the pieces
    // together are the text.
    function pieces(text) {
        var out = [], cur = "", parts, k, p, cut;
        if (!/\S/.test(text)) {
            return out;
        }
        if (text.length <= PIECE) {
            return [text];
        }
        parts = text.replace(/([.!?;:\u3002\uff01\uff1f]+\s+)/g, "$1\u0000").split("\u0000");
        for (k = 0; k < parts.length; k++) {
            p = parts[k];
            if (p.length > PIECE) {
                cut = p.lastIndexOf(" ", PIECE);
                cut = cut > PIECE / 2 ? cut + 1 : PIECE;
                parts.splice(k + 1, 0, p.slice(cut));
                p = p.slice(0, cut);
            }
            if (cur && cur.length + p.length > PIECE) {
                out.push(cur);
                cur = "";
            }
            cur += p;
        }
        if (cur) {
            out.push(cur);
        }
        return out;
    }
    function bare(t) {
        return t.replace(/\s+/g, "");
    }
    // Marks the paragraph that holds the text being read: the one marked last, from where its
    // last read text ended, else the next one that does.
    function highlight(text) {
        var want = bare(text), k, p, at, end;
        if (!want) {
            return;
        }
        if (!paras) {
            paras = [];
            p = document.body.getElementsByTagName("DIV");
            for (k = 0; k < p.length; k++) {
                if (!stage.contains(p[k])) {
                    paras.push({ node: p[k] });
                }
            }
        }
        end = Math.min(paras.length, (lastPara < 0 ? 0 : lastPara) + 400);
        for (k = lastPara < 0 ? 0 : lastPara; k < end; k++) {
            p = paras[k];
            if (p.text === undefined) {
                p.text = bare(p.node.textContent);
            }
            at = p.text.indexOf(want, k === lastPara ? lastAt : 0);
            if (at >= 0) {
                if (reading && reading !== p.node) {
                    klass(reading, "parl-reading", false);
                }
                reading = p.node;
                klass(reading, "parl-reading", true);
                lastPara = k;
                lastAt = at + want.length;
                follow(reading);
                return;
            }
        }
    }
    // Keeps the paragraph being read in view, in the band that the characters on the screen
    // leave free (they stand at the top or at the bottom), and clear of the controls.
    function follow(p) {
        var r = p.getBoundingClientRect(), v = viewport(), top = 60, bottom = v.h - 10, k, a;
        for (k = 0; k < actors.length && k < 50; k++) {
            a = actors[k];
            if (a.node.className.indexOf("parl-hidden") < 0) {
                if (a.py + a.size / 2 < v.h / 2) {
                    top = Math.max(top, a.py + a.size + 8);
                } else {
                    bottom = Math.min(bottom, a.py - 8);
                }
            }
        }
        if (bottom - top < 60) {
            top = 60;
            bottom = v.h - 10;
        }
        if (r.top < top || r.bottom > bottom) {
            // Near the top of the page there is nothing to scroll: the page moves down instead.
            k = r.top - top + (window.pageYOffset || 0);
            if (k < 0) {
                pad -= k;
                document.body.style.paddingTop = top0 + pad + "px";
                return;
            }
            try {
                window.scrollBy({ top: r.top - top, behavior: still ? "auto" : "smooth" });
            } catch (e) {
                window.scrollBy(0, r.top - top);
            }
        }
    }
    function unhighlight() {
        if (reading) {
            klass(reading, "parl-reading", false);
        }
        if (pad) {
            pad = 0;
            document.body.style.paddingTop = top0 + "px";
        }
        reading = null;
        lastPara = -1;
        lastAt = 0;
    }
    function caption(a, text) {
        live.textContent = text === null ? "" : a.name + ": " + text;
    }
    function spoken(r, id) {
        var list = r.waiters[id] || [], k;
        r.done[id] = true;
        delete r.waiters[id];
        for (k = 0; k < list.length; k++) {
            list[k]();
        }
    }

    // --- one voice at a time ------------------------------------------------------------------

    function voiceNext(r) {
        var item = r.queue.shift() || null;
        r.talking = item;
        if (item && run === r) {
            utter(r, item);
        }
    }
    function utter(r, item) {
        var a = item.a, text = item.text, shown = 900 + 55 * text.length, over = false;
        var started = false, clocked = false, u = null;
        function begin() {
            if (started || over || run !== r) {
                return;
            }
            started = true;
            if (item.mark) {
                highlight(item.mark);
            }
            balloon(a, text);
            klass(a.node, "parl-talk", true);
            caption(a, text);
        }
        function end() {
            if (over || run !== r) {
                return;
            }
            over = true;
            if (u) {
                u.onstart = u.onend = u.onerror = null;
            }
            balloon(a, null);
            klass(a.node, "parl-talk", false);
            caption(a, null);
            r.talking = null;
            item.next();
            if (!r.talking) {
                voiceNext(r);
            }
        }
        // The balloon alone, for as long as the text takes to read.
        function clock() {
            if (clocked || over || run !== r) {
                return;
            }
            clocked = true;
            if (u) {
                u.onstart = u.onend = u.onerror = null;
            }
            begin();
            later(r, shown, end);
        }
        function failed() {
            // Nothing else is queued: what the browser holds is this utterance alone.
            try {
                synth.cancel();
            } catch (e) {
                // Nothing to silence.
            }
            noVoice();
            clock();
        }
        if (mute) {
            clock();
            return;
        }
        try {
            u = new Utterance(text);
            if (lang) {
                u.lang = lang;
            }
            u.pitch = a.pitch;
            u.rate = a.rate;
            if (a.voice) {
                u.voice = a.voice;
            }
            u.onstart = begin;
            u.onend = function () {
                begin();
                end();
            };
            u.onerror = function () {
                if (started) {
                    end();
                } else {
                    failed();
                }
            };
            spoke = true;
            synth.speak(u);
        } catch (e) {
            failed();
            return;
        }
        // An utterance that does not start while the browser speaks nothing never will.
        later(r, 2500, function watch() {
            if (started || over || clocked) {
                return;
            }
            if (synth.speaking && !synth.paused) {
                later(r, 2500, watch, true);
            } else {
                failed();
            }
        }, true);
        // Nor does speech that never ends hold the show: it stops with its balloon.
        later(r, shown * 3 + 8000, function () {
            if (!over && !clocked) {
                try {
                    synth.cancel();
                } catch (e) {
                    // Nothing to silence.
                }
                end();
            }
        }, true);
    }
    function noVoice() {
        mute = true;
        note.hidden = false;
    }
    function speak(r, a, text, id, read, next) {
        var list = pieces(text), k;
        function last() {
            if (id) {
                spoken(r, id);
            }
            next();
        }
        // A run of blanks between two format changes says nothing and shows no balloon.
        if (!list.length) {
            last();
            return;
        }
        for (k = 0; k < list.length; k++) {
            r.queue.push({
                a: a, text: list[k], mark: read && k === 0 ? text : null,
                next: k === list.length - 1 ? last : function () {}
            });
        }
        if (!r.talking) {
            voiceNext(r);
        }
    }

    // --- the show ------------------------------------------------------------------------

    function perform(r, a, step, next) {
        var verb = step[1], name, ms;
        if (verb !== "show" && verb !== "hide") {
            progress(++done);
        }
        if (verb === "show") {
            klass(a.node, "parl-hidden", false);
            later(r, 500, next);
        } else if (verb === "hide") {
            balloon(a, null);
            klass(a.node, "parl-hidden", true);
            later(r, 500, next);
        } else if (verb === "move") {
            ms = place(a, step[2], step[3], true);
            klass(a.node, "parl-walk", true);
            later(r, ms, function () {
                klass(a.node, "parl-walk", false);
                next();
            });
        } else if (verb === "play") {
            name = ANIMS.hasOwnProperty(step[2]) ? step[2] : "other";
            ms = ANIMS[name] || 1400;
            a.node.setAttribute("data-animation", step[2]);
            a.node.style.setProperty("--pd", ms / speed() + "ms");
            a.body.setAttribute("class", "parl-body parl-a-" + name);
            later(r, ms, function () {
                a.body.setAttribute("class", "parl-body");
                a.node.removeAttribute("data-animation");
                next();
            });
        } else if (verb === "wait") {
            if (r.done[step[2]]) {
                next();
            } else {
                (r.waiters[step[2]] = r.waiters[step[2]] || []).push(next);
            }
        } else if (verb === "say" || verb === "read") {
            speak(r, a, step[2], step[3], verb === "read", next);
        } else {
            next();
        }
    }
    // Runs a character's steps until one has to wait for time or for another character.
    function pump(r, a) {
        if (a.busy || run !== r) {
            return;
        }
        a.busy = true;
        while (run === r && !a.blocked && a.pos < a.steps.length) {
            a.blocked = true;
            perform(r, a, steps[a.steps[a.pos++]], release(r, a));
        }
        a.busy = false;
        if (run === r && !a.blocked && a.pos >= a.steps.length && !a.over) {
            a.over = true;
            if (++r.finished === actors.length) {
                finish();
            }
        }
    }
    function release(r, a) {
        var used = false;
        return function () {
            if (!used && run === r) {
                used = true;
                a.blocked = false;
                pump(r, a);
            }
        };
    }
    function progress(n) {
        var p = Math.min(100, Math.round(100 * n / acts));
        bar.firstChild.style.width = p + "%";
        bar.setAttribute("aria-valuenow", p);
    }
    function setState(s) {
        state = s;
        button.setAttribute("data-state", s);
        label.textContent = s === "playing" || s === "paused" ? "Stop" : s === "done" ? "Replay" : "Play";
        button.setAttribute("aria-label", s === "playing" || s === "paused" ? "Stop the show (Escape)" :
            s === "done" ? "Replay the show" : "Play the show of this message");
        button.title = button.getAttribute("aria-label");
        pauser.hidden = s !== "playing" && s !== "paused";
        pauser.textContent = s === "paused" ? "Resume" : "Pause";
        pauser.setAttribute("aria-label", (s === "paused" ? "Resume" : "Pause") + " the show (Space)");
        bar.hidden = pauser.hidden;
    }
    // Stops everything at once: the clock, every voice, every balloon.
    function reset() {
        var k, a, r = run;
        run = null;
        if (r) {
            for (k = 0; k < r.timers.length; k++) {
                clearTimeout(r.timers[k].id);
            }
        }
        try {
            if (synth && (spoke || synth.speaking || synth.pending)) {
                spoke = false;
                synth.cancel();
                if (r && r.paused) {
                    synth.resume();
                }
            }
        } catch (e) {
            // Nothing more to stop.
        }
        klass(stage, "parl-paused", false);
        unhighlight();
        live.textContent = "";
        for (k = 0; k < actors.length; k++) {
            a = actors[k];
            if (a.used) {
                a.used = false;
                a.node.className = "parl-char parl-hidden";
                a.body.setAttribute("class", "parl-body");
                a.node.removeAttribute("data-animation");
                a.balloon.hidden = true;
            }
        }
    }
    function start() {
        var r = { timers: [], done: {}, waiters: {}, finished: 0, queue: [], talking: null }, k, a;
        reset();
        run = r;
        done = 0;
        setState("playing");
        progress(0);
        if (!mute) {
            voices();
        }
        for (k = 0; k < actors.length; k++) {
            a = actors[k];
            a.pos = 0;
            a.blocked = a.busy = a.over = false;
        }
        // Many characters are placed and started a few hundred at a time, each batch in a task
        // of its own, so that the page answers in between; the window is measured once a batch.
        k = 0;
        (function batch() {
            var from = k, end = Math.min(actors.length, k + 200);
            if (run !== r) {
                return;
            }
            view = viewport();
            for (; k < end; k++) {
                actors[k].used = true;
                place(actors[k], chars[k][1], chars[k][2], false);
            }
            view = null;
            for (k = from; k < end && run === r; k++) {
                pump(r, actors[k]);
            }
            if (k < actors.length) {
                setTimeout(batch, 0);
            }
        })();
    }
    function finish() {
        run = null;
        unhighlight();
        progress(acts);
        setState("done");
    }
    function stop() {
        reset();
        setState("ready");
    }

    // --- the page ------------------------------------------------------------------------

    // A phone lays the page out at its own width, and indented paragraphs keep their indent
    // as a margin, so that the page is never wider than the window.
    function fit() {
        var head = document.head || document.getElementsByTagName("head")[0], m, all, k, e, left;
        var w = document.documentElement.clientWidth || window.innerWidth;
        if (head && !document.querySelector("meta[name=viewport]")) {
            m = document.createElement("meta");
            m.name = "viewport";
            m.content = "width=device-width, initial-scale=1";
            head.appendChild(m);
        }
        all = document.body.getElementsByTagName("DIV");
        for (k = 0; k < all.length; k++) {
            e = all[k];
            left = e.style.position === "relative" ? parseFloat(e.style.left) : 0;
            if (left > 0) {
                e.style.left = "0";
                e.style.marginLeft = Math.min(left, Math.round(w * 0.4)) + "px";
            }
        }
        klass(document.body, "parl-fit", true);
    }
    function build() {
        var style = el("style", ""), k, a, face, art = [], bar0, r;
        style.appendChild(document.createTextNode(css));
        (document.head || document.body).appendChild(style);
        fit();
        if (lang && !document.documentElement.lang) {
            document.documentElement.lang = lang;
        }
        stage = el("div", "parl-stage" + (still ? " parl-still" : ""), document.body);
        for (k = 0; k < chars.length; k++) {
            art.push("<div class=\"parl-char parl-hidden\">" + parlArt(chars[k][0], false) +
                "</div><div class=\"parl-balloon\" aria-hidden=\"true\" hidden></div>");
        }
        stage.innerHTML = art.join("");
        for (k = 0; k < chars.length; k++) {
            a = { name: chars[k][0], steps: [], px: 0, py: 0, pitch: 1, rate: 1 };
            a.node = stage.childNodes[2 * k];
            a.balloon = stage.childNodes[2 * k + 1];
            a.node.setAttribute("data-character", a.name);
            a.balloon.setAttribute("data-character", a.name);
            a.body = a.node.firstChild;
            a.body.setAttribute("class", "parl-body");
            actors.push(a);
        }
        for (k = 0; k < steps.length; k++) {
            if (actors[steps[k][0]]) {
                actors[steps[k][0]].steps.push(k);
            }
        }
        bar0 = el("div", "parl-controls", stage);
        bar0.setAttribute("role", "toolbar");
        bar0.setAttribute("aria-label", "Show");
        button = el("button", "parl-play", bar0);
        button.type = "button";
        face = el("span", "parl-face", button);
        face.innerHTML = parlArt(chars[0][0], true);
        label = el("span", "", button);
        pauser = el("button", "parl-pause", bar0);
        pauser.type = "button";
        bar = el("div", "parl-progress", bar0);
        bar.setAttribute("role", "progressbar");
        bar.setAttribute("aria-label", "Progress of the show");
        bar.setAttribute("aria-valuemin", "0");
        bar.setAttribute("aria-valuemax", "100");
        el("span", "", bar);
        note = el("div", "parl-note", bar0);
        note.textContent = "No voice on this device: captions only";
        note.hidden = !mute;
        live = el("div", "parl-live", stage);
        live.setAttribute("aria-live", "polite");
        live.setAttribute("role", "log");
        setState("ready");
        if (!mute) {
            setTimeout(listVoices, 0);
            if (synth.addEventListener) {
                synth.addEventListener("voiceschanged", listVoices);
            }
        }
        // The controls stand above the message, not over its first line.
        r = bar0.getBoundingClientRect();
        controls = bar0;
        top0 = (parseFloat(window.getComputedStyle(document.body).paddingTop) || 0) + r.bottom + 12;
        document.body.style.paddingTop = top0 + "px";
        button.onclick = function () {
            if (state === "playing" || state === "paused") {
                stop();
            } else {
                start();
            }
        };
        pauser.onclick = function () {
            pause(state === "playing");
        };
        document.addEventListener("keydown", function (e) {
            var key = e.key || "", code = e.keyCode;
            if ((key === "Escape" || code === 27) && (state === "playing" || state === "paused")) {
                stop();
            } else if ((key === " " || code === 32) && (state === "playing" || state === "paused") &&
                !/^(INPUT|TEXTAREA|SELECT)$/.test((e.target || {}).tagName || "")) {
                e.preventDefault();
                pause(state === "playing");
            }
        });
        window.addEventListener("resize", function () {
            for (var j = 0; j < actors.length; j++) {
                place(actors[j], actors[j].x || chars[j][1], actors[j].y || chars[j][2], false);
            }
        });
    }
    try {
        if (document.body) {
            build();
        } else {
            document.addEventListener("DOMContentLoaded", build);
        }
    } catch (e) {
        // The page's text stays as it is, whatever happens here.
    }
}
