// A page's controls built from the layout and the catalog, each kept showing the processor's value
// except while the user is moving it or a change of it is on its way.
import { h, uid } from "./dom.js";
import { caption, t } from "./i18n.js";

const FIELD_KINDS = new Set(["frequency", "q", "crossover"]);
const PARTS = ["type", "freq", "gain", "q"];

// What a band's type leaves to adjust in Full mode: [gain, frequency, Q] (Peaking: all three).
const TYPE_LEAVES = { 0: [false, false, false], 2: [false, true, true], 3: [true, true, false],
  4: [true, true, false], 5: [false, true, true] };

// The kind of element a catalog entry gets unless the layout says otherwise.
function kindOf(entry, control) {
  if (control.as) return control.as;
  if (entry.kind === "choice") return entry.values.length <= 3 ? "segmented" : "select";
  if (FIELD_KINDS.has(entry.kind)) return "field";
  return "slider";
}

export class Controls {
  // host: { catalog: Map, current(name) (the value wished or known), send(name, value), mode(), raise(band) }
  constructor(host) {
    this.host = host;
    this.widgets = new Map(); // name -> [widget]
    this.conditions = []; // { el, when }
    this.fullOnly = []; // fieldsets enabled only in Full mode
    this.bandRows = []; // { prefix, full: Set of parts, boxes, inputs }
    this.locked = new Set(); // names a band's type or the mode leaves alone (the graph too)
  }

  entry(name) { return this.host.catalog.get(name); }

  textOf(name, raw, typed = false) {
    const entry = this.entry(name);
    const value = entry && entry.values[raw - entry.min];
    return value ? (typed ? value.input : value.text) : String(raw);
  }

  // Shows `name`'s known value on its widgets that are not being moved.
  refresh(name) {
    const raw = this.host.current(name);
    if (raw === undefined) return;
    for (const widget of this.widgets.get(name) || []) if (!widget.held()) widget.show(raw);
    for (const { el, when } of this.conditions) if (when.param === name) el.hidden = !when.is.includes(raw);
    for (const row of this.bandRows) if (name === `${row.prefix}.type`) this.enableBand(row);
  }

  refreshAll() {
    for (const name of this.widgets.keys()) this.refresh(name);
    for (const { el, when } of this.conditions) el.hidden = !when.is.includes(this.host.current(when.param));
    const easy = this.host.mode() !== "full";
    for (const box of this.fullOnly) {
      box.disabled = easy;
      box.title = easy ? t("easyOnly") : "";
    }
    for (const row of this.bandRows) this.enableBand(row);
  }

  // A band as the desktop enables it: by its type in Full mode; in Easy mode its type and the
  // typing of its frequency and Q are locked (the step buttons still work), and a band pass or
  // notch has no gain either way.
  enableBand(row) {
    const type = this.host.current(`${row.prefix}.type`);
    const easy = this.host.mode() !== "full";
    let [gain, freq, q] = TYPE_LEAVES[type] || [true, true, true];
    if (easy) [gain, freq, q] = [type !== 2 && type !== 5, true, true];
    const open = { type: !(easy && row.full.has("type")), freq, gain, q };
    for (const part of PARTS) {
      row.boxes[part].disabled = !open[part];
      this.locked[open[part] ? "delete" : "add"](`${row.prefix}.${part}`);
    }
    for (const part of ["freq", "q"]) row.inputs[part].disabled = easy && row.full.has(part);
  }

  // A processor gone away disables the controls, and a disabled slider may never hear its finger
  // lift: nothing stays held.
  letGo() {
    for (const list of this.widgets.values()) for (const widget of list) if (widget.letGo) widget.letGo();
  }

  add(name, widget) {
    if (!this.widgets.has(name)) this.widgets.set(name, []);
    this.widgets.get(name).push(widget);
  }

  group(group) {
    const body = h("div", { class: "group-body" });
    for (const control of group.controls || []) {
      const el = this.control(control);
      if (el) body.append(el);
    }
    const bands = (group.bands || []).map((band) => this.band(band)).filter(Boolean);
    if (bands.length) body.append(h("div", { class: "bands" }, bands));
    return h("section", { class: "group" }, h("h2", { text: caption(group) }), body);
  }

  guarded(el, spec) {
    if (spec.when) this.conditions.push({ el, when: spec.when });
    if (spec.full === true) this.fullOnly.push(el);
    return el;
  }

  control(control, captionText = caption(control)) {
    const entry = this.entry(control.param);
    if (!entry) return null;
    const kind = kindOf(entry, control);
    const make = { slider: this.slider, select: this.select, segmented: this.segmented, field: this.field }[kind];
    const box = h("fieldset", { class: `control ${kind}` });
    make.call(this, box, entry, captionText, control);
    return this.guarded(box, control);
  }

  band(band) {
    const names = PARTS.map((part) => `${band.prefix}.${part}`);
    if (!names.every((name) => this.entry(name))) return null;
    const box = h("fieldset", { class: "band", "data-band-row": band.prefix },
      h("legend", { text: caption(band) }));
    const row = { prefix: band.prefix, full: new Set(band.full === true ? PARTS : band.full || []), boxes: {}, inputs: {} };
    for (const [i, part] of PARTS.entries()) {
      const control = { param: names[i], as: part === "type" ? "select" : part === "gain" ? "slider" : "field" };
      row.boxes[part] = this.control(control, t(part));
      row.boxes[part].dataset.part = part;
      row.inputs[part] = row.boxes[part].querySelector("[data-param]");
      box.append(row.boxes[part]);
    }
    box.addEventListener("focusin", () => this.host.raise(band.prefix));
    this.bandRows.push(row);
    return this.guarded(box, band);
  }

  // A choice's caption: the layout's own where it gives one, else the processor's text.
  choiceText(control, v) {
    const own = (control.values || []).find((c) => c.raw === v.raw);
    return own ? caption(own) : v.text;
  }

  slider(box, entry, text, control) {
    const name = entry.name;
    const id = uid("c");
    const input = h("input", { type: "range", id, min: entry.min, max: entry.max, step: 1, "data-param": name });
    const output = h("output", { for: id, "data-for": name });
    let held = false;
    const release = () => {
      if (!held) return;
      held = false;
      this.refresh(name);
    };
    input.addEventListener("pointerdown", () => {
      held = true;
      for (const end of ["pointerup", "pointercancel"]) window.addEventListener(end, release, { once: true });
    });
    input.addEventListener("input", () => {
      // A level may not pass the maximum the layout ties it to: the processor refuses that.
      const top = control.atMost === undefined ? undefined : this.host.current(control.atMost);
      if (top !== undefined && +input.value > top) input.value = top;
      output.textContent = this.textOf(name, +input.value);
      this.host.send(name, `raw:${input.value}`);
    });
    input.addEventListener("change", release);
    box.append(h("label", { for: id, text }), output, input);
    this.add(name, {
      held: () => held,
      letGo: () => { held = false; },
      show: (raw) => { input.value = raw; output.textContent = this.textOf(name, raw); },
    });
  }

  select(box, entry, text, control) {
    const name = entry.name;
    const id = uid("c");
    const select = h("select", { id, "data-param": name },
      entry.values.map((v) => h("option", { value: v.raw, text: this.choiceText(control, v) })));
    select.addEventListener("change", () => this.host.send(name, `raw:${select.value}`));
    box.append(h("label", { for: id, text }), select);
    this.add(name, { held: () => false, show: (raw) => { select.value = String(raw); } });
  }

  segmented(box, entry, text, control) {
    const name = entry.name;
    const id = uid("c");
    const buttons = entry.values.map((v) => h("button", {
      type: "button", "data-value": v.raw, "aria-pressed": "false", text: this.choiceText(control, v),
      onclick: () => { press(v.raw); this.host.send(name, `raw:${v.raw}`); },
    }));
    const press = (raw) => {
      for (const b of buttons) b.setAttribute("aria-pressed", String(+b.dataset.value === raw));
    };
    box.append(h("span", { class: "label", id, text }),
      h("div", { class: "segments", role: "radiogroup", "aria-labelledby": id, "data-param": name }, buttons));
    this.add(name, { held: () => false, show: press });
  }

  field(box, entry, text) {
    const name = entry.name;
    const id = uid("c");
    const input = h("input", {
      type: "text", id, "data-param": name, inputmode: "decimal", autocomplete: "off", spellcheck: "false",
    });
    let shown = "";
    let committed = false;
    // An emptied field shows the value as its placeholder, ready for a new one.
    const show = (raw) => { shown = this.textOf(name, raw, true); input.value = shown; input.placeholder = shown; };
    const commit = () => {
      const typed = input.value.trim();
      if (committed || typed === "") return;
      committed = true;
      if (typed === shown) input.value = shown;
      else this.host.send(name, typed);
    };
    input.addEventListener("input", () => { committed = false; });
    input.addEventListener("keydown", (e) => {
      if (e.key === "Enter") commit();
      else if (e.key === "Escape") input.value = shown;
      else if (e.key === "ArrowUp" || e.key === "ArrowDown") {
        e.preventDefault();
        input.value = shown;
        step(e.key === "ArrowUp" ? 1 : -1);
      }
    });
    input.addEventListener("change", commit);
    input.addEventListener("blur", () => {
      if (!committed && input.value.trim() !== "") this.refresh(name);
    });
    const step = (by) => {
      const now = this.host.current(name);
      if (now === undefined) return;
      const raw = Math.min(entry.max, Math.max(entry.min, now + by));
      if (raw !== now) this.host.send(name, `raw:${raw}`);
    };
    // A step button held down keeps stepping, so a finger walks the table without a hundred taps.
    const stepper = (dir, sign, by) => {
      let timer = 0;
      let repeated = false;
      const stop = () => { clearTimeout(timer); timer = 0; };
      const repeat = (pause) => {
        timer = setTimeout(() => {
          if (button.matches(":disabled")) return stop();
          repeated = true;
          step(by);
          repeat(90);
        }, pause);
      };
      const button = h("button", {
        type: "button", class: "step", "data-step": dir, "data-for": name, "aria-label": `${text} ${t(dir)}`,
        text: sign,
        onclick: () => { if (!repeated) step(by); repeated = false; },
        onpointerdown: () => { repeated = false; stop(); repeat(450); },
        onpointerup: stop, onpointerleave: stop, onpointercancel: stop,
      });
      return button;
    };
    box.append(h("label", { for: id, text }),
      h("div", { class: "stepper" }, stepper("down", "−", -1), input, stepper("up", "+", 1)));
    this.add(name, { held: () => document.activeElement === input && input.value !== shown && !committed, show });
  }
}
