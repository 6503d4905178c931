// A page's EQ curves as SVG, with a handle per band: dragged sideways it walks the frequency
// table, up and down the gain's steps; arrow keys do the same one step at a time.
import { s } from "./dom.js";
import { t } from "./i18n.js";

// The drawing is as many units wide as the screen has pixels (up to 600), so a handle is as big
// under a finger on a phone as on a tablet.
let W = 600, H = 270;
const L = 40, R = 10, T = 12, B = 26;
function fitToScreen() {
  W = Math.round(Math.min(600, Math.max(340, window.innerWidth - 40)));
  H = Math.round(150 + W * 0.2);
}
const LOW = Math.log10(20), HIGH = Math.log10(20000);
const TOP_DB = 15;

const x = (hz) => L + ((Math.log10(Math.max(hz, 1)) - LOW) / (HIGH - LOW)) * (W - L - R);
const y = (db) => T + ((TOP_DB - Math.max(-TOP_DB, Math.min(TOP_DB, db))) / (2 * TOP_DB)) * (H - T - B);
const hzAt = (px) => 10 ** (LOW + ((px - L) / (W - L - R)) * (HIGH - LOW));
const dbAt = (py) => TOP_DB - ((py - T) / (H - T - B)) * 2 * TOP_DB;

const place = (g, hz, db) => g.setAttribute("transform", `translate(${x(hz).toFixed(1)},${y(db).toFixed(1)})`);

const pathOf = (points) => points.map(([hz, db], i) => `${i ? "L" : "M"}${x(hz).toFixed(1)},${y(db).toFixed(1)}`).join("");

// Pure blue or dark colours vanish on the dark page: mix them towards white.
function readable(colour) {
  const n = parseInt(colour.slice(1), 16);
  const parts = [n >> 16, (n >> 8) & 255, n & 255];
  if (0.3 * parts[0] + 0.59 * parts[1] + 0.11 * parts[2] > 110) return colour;
  return `rgb(${parts.map((p) => Math.round(p + (255 - p) * 0.45)).join(",")})`;
}

function grid() {
  const lines = [];
  for (const hz of [50, 100, 200, 500, 1000, 2000, 5000, 10000]) {
    lines.push(s("line", { x1: x(hz), x2: x(hz), y1: T, y2: H - B, class: "grid" }));
    lines.push(s("text", { x: x(hz), y: H - 5, class: "tick", "text-anchor": "middle" }))
    lines.at(-1).textContent = hz >= 1000 ? `${hz / 1000}k` : String(hz);
  }
  for (const db of [-12, -6, 0, 6, 12]) {
    lines.push(s("line", { x1: L, x2: W - R, y1: y(db), y2: y(db), class: db ? "grid" : "grid zero" }));
    lines.push(s("text", { x: L - 5, y: y(db) + 5, class: "tick", "text-anchor": "end" }));
    lines.at(-1).textContent = db > 0 ? `+${db}` : String(db);
  }
  return s("g", {}, lines);
}

// The catalog value of `name` nearest to `target` (frequencies compared on a log scale).
function nearest(entry, target, log) {
  let best = entry.values[0], gap = Infinity;
  for (const v of entry.values) {
    if (typeof v.value !== "number") continue;
    const d = log ? Math.abs(Math.log(v.value / target)) : Math.abs(v.value - target);
    if (d < gap) { gap = d; best = v; }
  }
  return best;
}

export class Graph {
  // host: { catalog: Map, current(name), send(name, value), canSet(name), settled() }
  constructor(host, page) {
    this.host = host;
    this.dragging = null; // the band prefix being dragged
    this.curves = s("g", { class: "curves" });
    this.handles = s("g", { class: "handles" });
    this.handleEls = new Map(); // band prefix -> its handle
    fitToScreen();
    this.el = s("svg", { class: W < 500 ? "eq-graph narrow" : "eq-graph", viewBox: `0 0 ${W} ${H}`, role: "img", "data-page": page },
      grid(), this.curves, this.handles);
    this.el.setAttribute("aria-label", t("graph"));
  }

  // Handles stay the same elements from one answer to the next, so focus and a drag survive.
  update(data) {
    this.curves.replaceChildren();
    if (data.crossover) {
      this.curves.append(s("path", { d: pathOf(data.crossover.points), class: "crossover" }));
      for (const hz of [data.crossover.highPass, data.crossover.lowPass])
        if (hz) this.curves.append(s("line", { x1: x(hz), x2: x(hz), y1: T, y2: H - B, class: "crossover-mark" }));
    }
    const seen = new Set();
    const spots = []; // where handles stand, and the labels of the bands at each
    for (const curve of data.curves) {
      const colour = readable(curve.colour);
      this.curves.append(s("path", { d: pathOf(curve.points), class: "curve", stroke: colour }));
      for (const handle of curve.handles) {
        seen.add(handle.band);
        let g = this.handleEls.get(handle.band);
        if (!g) {
          g = this.handle(handle.band);
          this.handles.append(g);
          this.handleEls.set(handle.band, g);
        }
        g.querySelector(".dot").setAttribute("fill", colour);
        g.lastChild.textContent = handle.label;
        g.setAttribute("aria-label", `${handle.label} ${handle.type}`);
        g.setAttribute("aria-valuetext", `${Math.round(handle.frequency)} Hz ${handle.db} dB`);
        if (handle.band !== this.dragging) place(g, handle.frequency, handle.db);
        // Bands at one spot share one label ("1·2·C1") on the first of them, instead of overprinting.
        const [hx, hy] = [x(handle.frequency), y(handle.db)];
        const spot = spots.find((o) => Math.abs(o.x - hx) < 20 && Math.abs(o.y - hy) < 20);
        if (spot) {
          spot.labels.push(handle.label);
          spot.g.lastChild.textContent = spot.labels.join("·");
          g.lastChild.textContent = "";
        } else {
          spots.push({ x: hx, y: hy, g, labels: [handle.label] });
        }
      }
    }
    // Labels that would run into their left neighbour's go under their dot instead.
    const width = (text) => text.length * (W < 500 ? 7.5 : 9);
    let last = null;
    for (const spot of spots.sort((a, b) => a.x - b.x)) {
      const text = spot.g.lastChild.textContent;
      const clash = last && Math.abs(last.y - spot.y) < 45 && spot.x - width(text) / 2 < last.right + 4;
      const below = Boolean(clash && !last.below);
      spot.g.lastChild.setAttribute("y", below ? "27" : "-15");
      last = { y: spot.y, right: spot.x + width(text) / 2, below };
    }
    for (const [band, g] of this.handleEls) {
      if (seen.has(band)) continue;
      g.remove();
      this.handleEls.delete(band);
    }
  }

  // Bands at one spot hide each other: the band being worked on below comes to the top.
  raise(band) {
    const g = this.handleEls.get(band);
    if (!g || this.dragging) return;
    for (const other of this.handleEls.values()) other.classList.toggle("raised", other === g);
    if (g !== this.handles.lastChild) this.handles.append(g);
  }

  handle(band) {
    const g = s("g", { class: "handle", "data-band": band, tabindex: "0", role: "slider" },
      s("circle", { r: 20, class: "hit" }), s("circle", { r: 10, class: "dot" }),
      s("text", { y: -15, "text-anchor": "middle", class: "handle-label" }));
    g.addEventListener("pointerdown", (e) => this.grab(e, g, band));
    g.addEventListener("keydown", (e) => this.key(e, band));
    return g;
  }

  entries(band) { return [this.host.catalog.get(`${band}.freq`), this.host.catalog.get(`${band}.gain`)]; }

  grab(event, g, band) {
    const [freq, gain] = this.entries(band);
    if (!freq || !gain || this.el.closest("fieldset:disabled")) return;
    // An axis the band's type or the mode locks stays where it is.
    const [moveF, moveG] = [this.host.canSet(freq.name), this.host.canSet(gain.name)];
    if (!moveF && !moveG) return;
    const valueOf = (entry) => entry.values[this.host.current(entry.name) - entry.min] || entry.values[0];
    event.preventDefault();
    g.setPointerCapture(event.pointerId);
    this.dragging = band;
    g.classList.add("dragged");
    const move = (e) => {
      const m = this.el.getScreenCTM();
      if (!m) return;
      const p = new DOMPoint(e.clientX, e.clientY).matrixTransform(m.inverse());
      const f = moveF ? nearest(freq, hzAt(Math.max(L, Math.min(W - R, p.x))), true) : valueOf(freq);
      const d = moveG ? nearest(gain, dbAt(p.y), false) : valueOf(gain);
      place(g, f.value, d.value);
      if (moveF && this.host.current(freq.name) !== f.raw) this.host.send(freq.name, `raw:${f.raw}`);
      if (moveG && this.host.current(gain.name) !== d.raw) this.host.send(gain.name, `raw:${d.raw}`);
    };
    const end = () => {
      g.removeEventListener("pointermove", move);
      g.removeEventListener("pointerup", end);
      g.removeEventListener("pointercancel", end);
      g.classList.remove("dragged");
      this.dragging = null;
      this.host.settled();
    };
    g.addEventListener("pointermove", move);
    g.addEventListener("pointerup", end);
    g.addEventListener("pointercancel", end);
  }

  key(event, band) {
    const steps = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowDown: [1, -1], ArrowUp: [1, 1] }[event.key];
    if (!steps || this.el.closest("fieldset:disabled")) return;
    event.preventDefault();
    const entry = this.entries(band)[steps[0]];
    const now = entry && this.host.current(entry.name);
    if (now === undefined || !this.host.canSet(entry.name)) return;
    const raw = Math.min(entry.max, Math.max(entry.min, now + steps[1]));
    if (raw !== now) this.host.send(entry.name, `raw:${raw}`);
  }
}
