// The page's own player for browsers without the character control. It plays the same show as
// the page's classic script from the steps the compiler recorded: each character performs its
// steps one after another, and a "wait" step holds a character until the named speech request
// was spoken. Written for old script engines too (no newer syntax), so that a browser that runs
// the classic script reads this block without an error and leaves it at the first test.
//
// data.w, data.h: the recipient's screen that the spots are given for.
// data.c: [name, x, y] of every character, at its start spot.
// data.s: the steps, [character, verb, ...]: "show", "hide", "move" x y, "play" animation,
//         "say" text [request], "read" text [request], "wait" request.
// window.parlinoSpeed, when a positive number, divides every time of the show (for tests).
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
    var SIZE = 128, MARGIN = 10;
    var synth = window.speechSynthesis, Utterance = window.SpeechSynthesisUtterance;
    var still = !!(window.matchMedia && window.matchMedia("(prefers-reduced-motion: reduce)").matches);
    var stage, button, label, actors = [], run = null, state = "ready", reading = null, lastPara = -1;

    function speed() {
        var s = +window.parlinoSpeed;
        return s > 0 ? s : 1;
    }
    function el(tag, cls, parent) {
        var e = document.createElement(tag);
        e.className = cls;
        if (parent) {
            parent.appendChild(e);
        }
        return e;
    }
    function viewport() {
        var d = document.documentElement;
        return { w: d.clientWidth || window.innerWidth, h: d.clientHeight || window.innerHeight };
    }
    // The classic spot (x, y) on the recipient's screen, scaled to this window: the margins and
    // the room left beside a character keep their share, so the lower right stays lower right.
    function spot(x, y) {
        var v = viewport(), size = Math.min(SIZE, Math.floor(Math.min(v.w, v.h) / 2.5));
        var fx = x / Math.max(1, data.w - SIZE), fy = y / Math.max(1, data.h - SIZE);
        return {
            x: Math.max(0, Math.min(Math.round(fx * (v.w - size)), v.w - size)),
            y: Math.max(0, Math.min(Math.round(fy * (v.h - size)), v.h - size)),
            size: size
        };
    }
    function place(a, x, y, glide) {
        var p = spot(x, y), dx = p.x - a.px, dy = p.y - a.py;
        var ms = glide && !still ? Math.min(2000, Math.max(400, Math.sqrt(dx * dx + dy * dy) * 3)) : 0;
        a.x = x;
        a.y = y;
        a.px = p.x;
        a.py = p.y;
        a.node.style.setProperty("--pm", ms / speed() + "ms");
        a.node.style.width = a.node.style.height = p.size + "px";
        a.node.style.left = p.x + "px";
        a.node.style.top = p.y + "px";
        return ms;
    }
    // A voice of its own for every character, from its name.
    function voice(a) {
        var key = a.name.toLowerCase(), h = parlHash(key), list = [], all, lang, k;
        a.pitch = key === "genie" ? 1 : key === "merlin" ? 0.7 : key === "robby" ? 1.5 :
            0.6 + (h % 90) / 100;
        a.rate = key === "merlin" ? 0.9 : key === "robby" ? 1.1 : 0.9 + (h % 25) / 100;
        try {
            all = synth.getVoices() || [];
            lang = (document.documentElement.lang || navigator.language || "en").slice(0, 2);
            for (k = 0; k < all.length; k++) {
                if ((all[k].lang || "").slice(0, 2) === lang) {
                    list.push(all[k]);
                }
            }
            a.voice = list.length ? list[h % list.length] : null;
        } catch (e) {
            a.voice = null;
        }
    }

    // --- the show ------------------------------------------------------------------------

    function later(r, ms, fn) {
        ms = ms / speed();
        if (ms < 1) {
            fn();
            return;
        }
        r.timers.push(setTimeout(function () {
            if (run === r) {
                fn();
            }
        }, ms));
    }
    function balloon(a, text) {
        var b = a.balloon, v = viewport(), r;
        if (text === null) {
            b.hidden = true;
            return;
        }
        b.textContent = text;
        b.hidden = false;
        r = b.getBoundingClientRect();
        b.style.left = Math.max(4, Math.min(a.px + (a.px + SIZE + r.width < v.w ? SIZE * 0.8 :
            -r.width + SIZE * 0.2), v.w - r.width - 4)) + "px";
        b.style.top = Math.max(4, Math.min(a.py - r.height + 20, v.h - r.height - 4)) + "px";
    }
    function squash(t) {
        return t.replace(/\s+/g, " ").replace(/^ | $/g, "");
    }
    // Marks the paragraph that holds the text being read, the next one that does.
    function highlight(text) {
        var paras = document.body.getElementsByTagName("DIV"), want = squash(text), k, p;
        if (!want) {
            return;
        }
        for (k = lastPara < 0 ? 0 : lastPara; k < paras.length; k++) {
            p = paras[k];
            if (p.className.indexOf("parl-") < 0 && squash(p.textContent).indexOf(want) >= 0) {
                if (reading && reading !== p) {
                    reading.className = reading.className.replace(/ ?parl-reading/, "");
                }
                if (reading !== p) {
                    p.className += " parl-reading";
                }
                reading = p;
                lastPara = k;
                return;
            }
        }
    }
    function unhighlight() {
        if (reading) {
            reading.className = reading.className.replace(/ ?parl-reading/, "");
        }
        reading = null;
        lastPara = -1;
    }
    function spoken(r, id) {
        var list = r.waiters[id] || [], k;
        r.done[id] = true;
        delete r.waiters[id];
        for (k = 0; k < list.length; k++) {
            list[k]();
        }
    }
    function speak(r, a, text, id, read, next) {
        var over = false, started = false, u;
        var shown = 900 + 55 * text.length;
        function end() {
            if (over || run !== r) {
                return;
            }
            over = true;
            balloon(a, null);
            a.node.className = a.node.className.replace(/ ?parl-talk/, "");
            if (id) {
                spoken(r, id);
            }
            next();
        }
        balloon(a, text);
        a.node.className += " parl-talk";
        if (read) {
            highlight(text);
        }
        if (!synth || !Utterance || !/\S/.test(text)) {
            later(r, shown, end);
            return;
        }
        try {
            u = new Utterance(text);
            u.pitch = a.pitch;
            u.rate = a.rate;
            if (a.voice) {
                u.voice = a.voice;
            }
            u.onstart = function () {
                started = true;
            };
            u.onend = end;
            u.onerror = function () {
                later(r, shown, end);
            };
            r.utterances.push(u);
            synth.speak(u);
        } catch (e) {
            later(r, shown, end);
            return;
        }
        // Speech that never starts or never ends must not hold the show.
        later(r, Math.max(shown, 2500), function () {
            if (!started) {
                end();
            }
        });
        later(r, shown * 3 + 8000, end);
    }
    function perform(r, a, step, next) {
        var verb = step[1], name, ms;
        if (verb === "show") {
            a.node.className = a.node.className.replace(/ ?parl-hidden/, "");
            later(r, 500, next);
        } else if (verb === "hide") {
            balloon(a, null);
            a.node.className += " parl-hidden";
            later(r, 500, next);
        } else if (verb === "move") {
            ms = place(a, step[2], step[3], true);
            a.node.className += " parl-walk";
            later(r, ms, function () {
                a.node.className = a.node.className.replace(/ ?parl-walk/, "");
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
    function setState(s) {
        state = s;
        button.setAttribute("data-state", s);
        label.textContent = s === "playing" ? "Stop" : s === "done" ? "Replay" : "Play";
        button.title = s === "playing" ? "Stop the show (Esc)" : "Play the show of this message";
    }
    function reset() {
        var k, a, r = run;
        run = null;
        if (r) {
            for (k = 0; k < r.timers.length; k++) {
                clearTimeout(r.timers[k]);
            }
        }
        try {
            if (synth && r && r.utterances.length) {
                synth.cancel();
            }
        } catch (e) {
            // Nothing more to stop.
        }
        unhighlight();
        for (k = 0; k < actors.length; k++) {
            a = actors[k];
            a.node.className = "parl-char parl-hidden";
            a.body.setAttribute("class", "parl-body");
            a.node.removeAttribute("data-animation");
            balloon(a, null);
        }
    }
    function start() {
        var r = { timers: [], utterances: [], done: {}, waiters: {}, finished: 0 }, k, a;
        reset();
        run = r;
        setState("playing");
        for (k = 0; k < actors.length; k++) {
            a = actors[k];
            a.pos = 0;
            a.blocked = a.busy = a.over = false;
            place(a, chars[k][1], chars[k][2], false);
            if (synth) {
                voice(a);
            }
        }
        for (k = 0; k < actors.length && run === r; k++) {
            pump(r, actors[k]);
        }
    }
    function finish() {
        run = null;
        unhighlight();
        setState("done");
    }
    function stop() {
        reset();
        setState("ready");
    }

    function build() {
        var style = el("style", ""), k, a, face;
        style.appendChild(document.createTextNode(css));
        (document.head || document.body).appendChild(style);
        stage = el("div", "parl-stage" + (still ? " parl-still" : ""), document.body);
        for (k = 0; k < chars.length; k++) {
            a = { name: chars[k][0], steps: [], px: 0, py: 0 };
            a.node = el("div", "parl-char parl-hidden", stage);
            a.node.setAttribute("data-character", a.name);
            a.node.innerHTML = parlArt(a.name, false);
            a.body = a.node.firstChild;
            a.body.setAttribute("class", "parl-body");
            a.balloon = el("div", "parl-balloon", stage);
            a.balloon.hidden = true;
            a.balloon.setAttribute("data-character", a.name);
            a.balloon.setAttribute("role", "status");
            actors.push(a);
        }
        for (k = 0; k < steps.length; k++) {
            if (actors[steps[k][0]]) {
                actors[steps[k][0]].steps.push(k);
            }
        }
        button = el("button", "parl-play", document.body);
        button.type = "button";
        face = el("span", "parl-face", button);
        face.innerHTML = parlArt(chars[0][0], true);
        label = el("span", "", button);
        setState("ready");
        button.onclick = function () {
            if (state === "playing") {
                stop();
            } else {
                start();
            }
        };
        document.addEventListener("keydown", function (e) {
            if ((e.key === "Escape" || e.keyCode === 27) && state === "playing") {
                stop();
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
