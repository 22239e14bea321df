// The characters' drawings: simple vector figures of our own, 128 by 128 units, built as SVG
// text from shapes and colours. The parts that the animations move are groups with classes:
// pa-body (all), pa-head, pa-eyes, pa-mouth, pa-arm-l and pa-arm-r (hanging from the shoulder).
// Nothing of a message (no name, no text) ever goes into this markup: only numbers and colours.

// A small number from a name, the same in every browser.
function parlHash(name) {
    var h = 7, i;
    for (i = 0; i < name.length; i++) {
        h = (h * 31 + name.charCodeAt(i)) % 1000003;
    }
    return h;
}

function parlShape(tag, attrs) {
    return "<" + tag + " " + attrs + "/>";
}

// An arm from the shoulder at (x, y), hanging down, with a round hand.
function parlArm(side, x, y, colour, hand) {
    return "<g class=\"pa-arm-" + side + "\">" +
        parlShape("path", "d=\"M" + x + " " + y + "l0 24\" stroke=\"" + colour +
            "\" stroke-width=\"9\" stroke-linecap=\"round\" fill=\"none\"") +
        parlShape("circle", "cx=\"" + x + "\" cy=\"" + (y + 27) + "\" r=\"5.5\" fill=\"" + hand + "\"") +
        "</g>";
}

// Two eyes and a smile, round the head's centre (x, y).
function parlFace(x, y, eye, mouth) {
    return "<g class=\"pa-eyes\">" +
        parlShape("ellipse", "cx=\"" + (x - 8) + "\" cy=\"" + y + "\" rx=\"3.2\" ry=\"4\" fill=\"" + eye + "\"") +
        parlShape("ellipse", "cx=\"" + (x + 8) + "\" cy=\"" + y + "\" rx=\"3.2\" ry=\"4\" fill=\"" + eye + "\"") +
        "</g>" +
        parlShape("path", "class=\"pa-mouth\" d=\"M" + (x - 8) + " " + (y + 10) + "q8 7 16 0\" stroke=\"" +
            mouth + "\" stroke-width=\"2.6\" fill=\"none\" stroke-linecap=\"round\"");
}

function parlGenie() {
    var skin = "#4f8fe0", dark = "#2f63ad";
    return "<g class=\"pa-body\">" +
        parlShape("path", "d=\"M38 70q26-10 52 0q4 22-14 34q-10 8-4 16q-22-4-18-20q-18-12-16-30z\" fill=\"" +
            skin + "\"") +
        parlShape("path", "d=\"M40 80q24 8 48 0l-2 7q-22 7-44 0z\" fill=\"#f2c14e\"") +
        parlArm("l", 40, 72, skin, dark) + parlArm("r", 88, 72, skin, dark) +
        "<g class=\"pa-head\">" +
        parlShape("circle", "cx=\"64\" cy=\"46\" r=\"22\" fill=\"" + skin + "\"") +
        parlShape("path", "d=\"M41 38q23-26 46 0q-23-8-46 0z\" fill=\"#8a3fb8\"") +
        parlShape("path", "d=\"M42 36q22-34 44 0\" fill=\"#a45bd4\"") +
        parlShape("circle", "cx=\"64\" cy=\"28\" r=\"4\" fill=\"#f2c14e\"") +
        parlFace(64, 48, "#14254a", "#14254a") +
        "</g></g>";
}

function parlRobby() {
    var metal = "#9aa8b5", dark = "#5d6b78";
    return "<g class=\"pa-body\">" +
        parlShape("rect", "x=\"38\" y=\"66\" width=\"52\" height=\"40\" rx=\"6\" fill=\"" + metal + "\"") +
        parlShape("rect", "x=\"50\" y=\"76\" width=\"28\" height=\"14\" rx=\"3\" fill=\"#3fd0c9\"") +
        parlShape("rect", "x=\"42\" y=\"106\" width=\"14\" height=\"14\" rx=\"3\" fill=\"" + dark + "\"") +
        parlShape("rect", "x=\"72\" y=\"106\" width=\"14\" height=\"14\" rx=\"3\" fill=\"" + dark + "\"") +
        parlArm("l", 34, 70, dark, metal) + parlArm("r", 94, 70, dark, metal) +
        "<g class=\"pa-head\">" +
        parlShape("path", "d=\"M64 22v-12\" stroke=\"" + dark + "\" stroke-width=\"3\"") +
        parlShape("circle", "cx=\"64\" cy=\"9\" r=\"4\" fill=\"#e5483b\"") +
        parlShape("rect", "x=\"42\" y=\"22\" width=\"44\" height=\"40\" rx=\"8\" fill=\"" + metal + "\"") +
        "<g class=\"pa-eyes\">" +
        parlShape("circle", "cx=\"55\" cy=\"38\" r=\"6\" fill=\"#3fd0c9\"") +
        parlShape("circle", "cx=\"73\" cy=\"38\" r=\"6\" fill=\"#3fd0c9\"") +
        "</g>" +
        parlShape("rect", "class=\"pa-mouth\" x=\"53\" y=\"50\" width=\"22\" height=\"5\" rx=\"2\" fill=\"" + dark + "\"") +
        "</g></g>";
}

function parlMerlin() {
    var robe = "#3b3f9e", skin = "#f0c9a3";
    return "<g class=\"pa-body\">" +
        parlShape("path", "d=\"M44 68h40l12 54h-64z\" fill=\"" + robe + "\"") +
        parlShape("path", "d=\"M76 92l3 6 6 1-5 4 1 6-5-3-5 3 1-6-5-4 6-1z\" fill=\"#f5d76e\"") +
        parlArm("l", 44, 72, robe, skin) + parlArm("r", 84, 72, robe, skin) +
        "<g class=\"pa-head\">" +
        parlShape("circle", "cx=\"64\" cy=\"50\" r=\"18\" fill=\"" + skin + "\"") +
        parlShape("path", "d=\"M48 56q16 40 32 0q-16 8-32 0z\" fill=\"#eeeeee\"") +
        parlShape("path", "d=\"M40 38h48l-24-36z\" fill=\"" + robe + "\"") +
        parlShape("path", "d=\"M36 38h56v5h-56z\" fill=\"#2b2e78\"") +
        parlShape("circle", "cx=\"60\" cy=\"22\" r=\"2.5\" fill=\"#f5d76e\"") +
        parlShape("circle", "cx=\"69\" cy=\"30\" r=\"2\" fill=\"#f5d76e\"") +
        parlFace(64, 50, "#2a2a2a", "#9a5a3c") +
        "</g></g>";
}

// Any other name: a round figure whose colour, hat and eyes follow from the name. Names one
// letter apart (c1, c2) have neighbouring numbers, so the hue turns by the golden angle and the
// hat by one kind from one number to the next: neighbours never look alike.
function parlOther(name) {
    var h = parlHash(name), hue = Math.round(h * 137.508) % 360, light = 46 + (h % 3) * 8;
    var body = "hsl(" + hue + ",62%," + light + "%)";
    var dark = "hsl(" + hue + ",55%,30%)", hat = "hsl(" + ((hue + 150) % 360) + ",65%,50%)";
    var kind = h % 4, hats = [
        "",
        parlShape("path", "d=\"M46 32h36l-18-28z\" fill=\"" + hat + "\""),
        parlShape("path", "d=\"M44 33q20-26 40 0z\" fill=\"" + hat + "\"") +
            parlShape("path", "d=\"M80 32h14v4h-14z\" fill=\"" + hat + "\""),
        parlShape("path", "d=\"M46 32l2-16 8 8 8-12 8 12 8-8 2 16z\" fill=\"#f2c14e\"")
    ];
    return "<g class=\"pa-body\">" +
        parlShape("ellipse", "cx=\"64\" cy=\"92\" rx=\"26\" ry=\"28\" fill=\"" + body + "\"") +
        parlShape("ellipse", "cx=\"64\" cy=\"96\" rx=\"14\" ry=\"16\" fill=\"#ffffff\" opacity=\".35\"") +
        parlArm("l", 42, 76, body, dark) + parlArm("r", 86, 76, body, dark) +
        "<g class=\"pa-head\">" +
        parlShape("circle", "cx=\"64\" cy=\"48\" r=\"21\" fill=\"" + body + "\"") + hats[kind] +
        parlFace(64, 48, (h >> 2) % 2 ? "#1d1d1d" : dark, "#1d1d1d") +
        "</g></g>";
}

// The SVG of a character; `face` crops it to the head, for the Play button.
function parlArt(name, face) {
    var key = name.toLowerCase(), inner;
    if (key === "genie") {
        inner = parlGenie();
    } else if (key === "robby") {
        inner = parlRobby();
    } else if (key === "merlin") {
        inner = parlMerlin();
    } else {
        inner = parlOther(key);
    }
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + (face ? "34 4 60 62" : "0 0 128 128") +
        "\" aria-hidden=\"true\" focusable=\"false\">" + inner + "</svg>";
}
