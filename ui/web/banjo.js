// The chosen train drawn to scale on the banjo, as the core lays it out:
// pitch and tip circles, the shafts, and every fit rule that fails in red
// with its margin. Coordinates are the core's; only the labels' placement
// (label_place.js) and the picture's frame are worked out on the page.
import { $, make } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { placeLabels } from "./label_place.js";

const kSvg = "http://www.w3.org/2000/svg";
const kNoTrain = "No train to draw.";

function draw(name, attributes, parent) {
  const element = document.createElementNS(kSvg, name);
  for (const [k, v] of Object.entries(attributes)) element.setAttribute(k, v);
  parent.append(element);
  return element;
}

export class BanjoView {
  constructor() {
    this.svg = $("#banjo");
    this.caption = new ErrorLine($("#banjo-caption"));
    this.rules = $("#fit-rules");
  }

  // answer: trainQuery's, or null when there is no train to choose.
  render(answer) {
    this.svg.replaceChildren();
    this.rules.replaceChildren();
    this.caption.show(answer);
    if (!answer) this.caption.element.textContent = kNoTrain;
    // No picture, no empty frame: the caption says why.
    const drawing = answer && !answer.error ? answer.view.drawing : null;
    this.svg.toggleAttribute("hidden", !drawing);  // an SVG element has no .hidden
    if (!answer || answer.error) return;
    const { caption, rules } = answer.view;
    this.caption.element.textContent = caption;
    for (const [word, text, margin] of rules)
      this.rules.append(make("li", word === "ok" ? {} : { class: "fail" }, `${word}: ${text}, ${margin}`));
    if (drawing) this.drawTrain(drawing, rules.filter((r) => r[0] !== "ok"));
  }

  // shortRules: the view's rows of the failing rules, in the order of
  // drawing.failing (both list the core's failing rules in its order).
  drawTrain({ shafts, wheels, failing }, shortRules) {
    const at = Object.fromEntries(shafts.map((s) => [s.name, s]));
    const broken = new Set(failing.flatMap((f) => f.parts));
    let box = [Infinity, Infinity, -Infinity, -Infinity];
    const grow = (x0, y0, x1, y1) => {
      box = [Math.min(box[0], x0), Math.min(box[1], y0), Math.max(box[2], x1), Math.max(box[3], y1)];
    };
    for (const w of wheels) {
      const { x, y } = at[w.shaft];
      grow(x - w.tip_radius, y - w.tip_radius, x + w.tip_radius, y + w.tip_radius);
    }
    // Labels a fixed share of the picture's width, so they read as well on a
    // phone as on a desktop whatever the banjo's size.
    const size = (box[2] - box[0]) / 22;
    for (const w of wheels) {
      const { x, y } = at[w.shaft];
      // The idler is the middle shaft's one wheel: a rule on where that shaft sits is about it.
      const fail = broken.has(w.name) || (w.name === "I" && broken.has(w.shaft));
      draw("circle", { cx: x, cy: y, r: w.tip_radius, class: fail ? "tip fail" : "tip", "data-gear": w.name }, this.svg);
      draw("circle", { cx: x, cy: y, r: w.pitch_radius, class: "pitch" }, this.svg);
    }
    for (const s of shafts)
      draw("circle", { cx: s.x, cy: s.y, r: s.radius, class: broken.has(s.name) ? "shaft fail" : "shaft" }, this.svg);
    const leaders = draw("g", { class: "leader" }, this.svg);
    // Drawn last, over the wheels; measured as drawn (text-anchor middle),
    // or, while the drawing is not laid out, by a generous guess.
    const labels = wheels.map((w) => {
      const text = draw("text", { "text-anchor": "middle", "font-size": size }, this.svg);
      text.textContent = `${w.name} ${w.teeth}`;
      const b = text.getBBox();
      const [width, height] = b.width > 0 ? [b.width, b.height] : [0.7 * size * text.textContent.length, 1.2 * size];
      // Where the box starts from the text's anchor point.
      const [x0, y0] = b.width > 0 ? [b.x, b.y] : [-width / 2, -0.95 * size];
      return { text, width, height, x0, y0 };
    });
    const gap = 0.15 * size;
    const centres = placeLabels(
      wheels.map((w) => ({ x: at[w.shaft].x, y: at[w.shaft].y, pitch: w.pitch_radius, tip: w.tip_radius, shaft: w.shaft })),
      shafts, labels.map((l) => [l.width, l.height]), gap);
    labels.forEach(({ text, width, height, x0, y0 }, k) => {
      const { x, y, rim } = centres[k];
      text.setAttribute("x", x - x0 - width / 2);
      text.setAttribute("y", y - y0 - height / 2);
      grow(x - width / 2, y - height / 2, x + width / 2, y + height / 2);
      // A label set apart from its wheel (a small wheel inside a large one)
      // points at it, from the edge of the label's box to the wheel's rim.
      if (!rim) return;
      const [vx, vy] = [rim.x - x, rim.y - y];
      const edge = Math.min(1, (width / 2 + gap) / Math.abs(vx), (height / 2 + gap) / Math.abs(vy));
      if ((1 - edge) * Math.hypot(vx, vy) < size / 2) return;
      draw("line", { x1: x + vx * edge, y1: y + vy * edge, x2: rim.x, y2: rim.y }, leaders);
    });
    // Each failing rule's margin in a list under the train, so none covers
    // the gears or another; its part is the one drawn red.
    const left = box[0];
    let line = box[3] + 1.4 * size;
    failing.forEach((rule, k) => {
      const [, text, margin] = shortRules[k];
      const label = draw("text", { x: left, y: line, class: "fail", "data-rule": rule.id, "font-size": size }, this.svg);
      label.textContent = `${text}: ${margin}`;
      grow(left, line - size, left + 0.6 * size * label.textContent.length, line + 0.3 * size);
      line += 1.3 * size;
    });
    const pad = size / 2;
    this.svg.setAttribute("viewBox", `${box[0] - pad} ${box[1] - pad} ${box[2] - box[0] + 2 * pad} ${box[3] - box[1] + 2 * pad}`);
  }
}
