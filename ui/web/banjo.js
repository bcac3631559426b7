// The chosen train drawn to scale on the banjo, as the core lays it out:
// pitch and tip circles, the shafts, and every fit rule that fails in red
// with its margin. Coordinates are the core's; only the labels' placement
// and the picture's frame are worked out here.
import { $, make } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

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
    // phone as on a desktop whatever the banjo's size (a char is about 0.6 em).
    const size = (box[2] - box[0]) / 22;
    const taken = [];
    const place = (x, y, text) => {
      const half = (0.3 * size * text.length);
      const overlaps = (b) => x - half < b[2] && b[0] < x + half && y - size < b[3] && b[1] < y;
      while (taken.some(overlaps)) y += 1.1 * size;
      taken.push([x - half, y - size, x + half, y]);
      grow(x - half, y - size, x + half, y + 0.3 * size);
      return y;
    };
    const onShaft = {};
    for (const w of wheels) {
      const { x, y } = at[w.shaft];
      // The idler is the middle shaft's one wheel: a rule on where that shaft sits is about it.
      const fail = broken.has(w.name) || (w.name === "I" && broken.has(w.shaft));
      draw("circle", { cx: x, cy: y, r: w.tip_radius, class: fail ? "tip fail" : "tip", "data-gear": w.name }, this.svg);
      draw("circle", { cx: x, cy: y, r: w.pitch_radius, class: "pitch" }, this.svg);
      // Two wheels on one shaft: the first labelled above it, the second below.
      const second = (onShaft[w.shaft] = (onShaft[w.shaft] ?? 0) + 1) > 1;
      const text = `${w.name} ${w.teeth}`;
      const ly = place(x, second ? y + 0.55 * w.tip_radius + size : y - 0.55 * w.tip_radius, text);
      draw("text", { x, y: ly, "text-anchor": "middle", "font-size": size }, this.svg).textContent = text;
    }
    for (const s of shafts)
      draw("circle", { cx: s.x, cy: s.y, r: s.radius, class: broken.has(s.name) ? "shaft fail" : "shaft" }, this.svg);
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
