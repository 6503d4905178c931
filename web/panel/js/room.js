// One room: its tabs, the current page's graph and controls, its actions, all kept live.
import { Actions } from "./actions.js";
import { api } from "./api.js";
import { Controls } from "./controls.js";
import { h } from "./dom.js";
import { Graph } from "./graph.js";
import { caption, reasonText, t } from "./i18n.js";
import { Live } from "./live.js";
import { toast } from "./toast.js";

const CURVE_PAUSE = 150; // the curves are asked for at most this often (ms)

export class RoomView {
  constructor(room, pageKey, catalog, pages) {
    this.room = room;
    this.catalog = catalog;
    this.pages = pages;
    this.known = new Map(); // name -> raw, as the service last said
    this.wish = new Map(); // name -> raw sent or waiting to be sent
    this.state = { state: "connecting", reason: null };
    this.el = h("section", { id: "room", "data-room": room });
    this.pageKey = pageKey;
    this.curveTimer = 0;
    this.curveAgain = false;
    this.render();
    this.live = new Live(room, {
      state: (msg) => this.showState(msg),
      image: (msg) => this.image(msg),
      changed: (entries) => this.changed(entries),
      answered: (name, msg, settled) => this.answered(name, msg, settled),
      socket: (open) => {
        if (open) return;
        this.showState({ state: "offline", reason: t("unreachable") });
        // Why the socket failed: a 401 shows the sign-in; a room that does not exist stops here.
        api.details(room).catch((error) => {
          if (error.status !== 404) return;
          this.live.close();
          this.showState({ state: "offline", reason: error.message });
        });
      },
    });
  }

  destroy() {
    this.live.close();
    clearTimeout(this.curveTimer);
    this.el.remove();
  }

  // The host the controls, graph and actions work through.
  host() {
    return {
      room: this.room,
      catalog: this.catalog,
      current: (name) => (this.wish.has(name) ? this.wish.get(name) : this.known.get(name)),
      send: (name, value) => this.send(name, value),
      mode: () => this.mode(),
      settled: () => this.curvesSoon(),
      canSet: (name) => !this.controls.locked.has(name),
      raise: (band) => this.graph && this.graph.raise(band),
      image: (details) => this.image(details),
    };
  }

  mode() { return this.known.get("global.control_mode") === 1 ? "full" : "easy"; }

  render() {
    const host = this.host();
    this.status = h("span", { id: "room-status" });
    this.tabs = this.pages.map((page) => h("button", {
      type: "button", role: "tab", "data-tab": page.key, text: caption(page),
      onclick: () => { location.hash = `#/${encodeURIComponent(this.room)}/${page.key}`; },
      onkeydown: (e) => this.tabKey(e),
    }));
    this.actions = new Actions(host);
    this.pageEl = h("div", { class: "page" });
    this.body = h("fieldset", { class: "room-body" }, this.pageEl);
    this.el.replaceChildren(
      h("header", { class: "room-head" },
        h("a", { href: "#/", class: "back button", text: `‹ ${t("back")}` }),
        h("h1", { text: this.room })),
      this.status,
      h("nav", { class: "tabs", role: "tablist" }, this.tabs),
      this.actions.el, this.body);
    this.showPage(this.pageKey);
    this.showState(this.state);
  }

  showPage(key) {
    const page = this.pages.find((p) => p.key === key) || this.pages[0];
    this.pageKey = page.key;
    for (const tab of this.tabs) {
      const on = tab.dataset.tab === page.key;
      tab.setAttribute("aria-selected", String(on));
      tab.tabIndex = on ? 0 : -1;
    }
    this.controls = new Controls(this.host());
    this.graph = page.graph === false ? null : new Graph(this.host(), page.key);
    this.pageEl.replaceChildren(
      ...(this.graph ? [h("div", { class: "graph-box" }, this.graph.el)] : []),
      ...page.groups.map((group) => this.controls.group(group)));
    this.controls.refreshAll();
    this.actions.showMode(this.mode());
    this.curvesSoon();
  }

  tabKey(event) {
    const step = { ArrowLeft: -1, ArrowRight: 1 }[event.key];
    if (!step) return;
    const i = this.tabs.findIndex((tab) => tab.dataset.tab === this.pageKey);
    const next = this.tabs[(i + step + this.tabs.length) % this.tabs.length];
    next.focus();
    next.click();
  }

  showState(msg) {
    this.state = { state: msg.state, reason: msg.reason };
    const online = msg.state === "connected";
    this.status.dataset.state = msg.state;
    this.status.textContent = t(msg.state) + (msg.reason ? ` — ${reasonText(msg.reason)}` : "");
    this.el.classList.toggle("offline", !online);
    if (!online && this.controls) this.controls.letGo();
    this.body.disabled = !online;
    this.actions.setOnline(online);
  }

  image(details) {
    if (details.state) this.showState(details);
    for (const entry of details.parameters || []) this.known.set(entry.name, entry.raw);
    this.controls.refreshAll();
    this.actions.showMode(this.mode());
    this.curvesSoon();
  }

  changed(entries) {
    let mode = false;
    for (const entry of entries) {
      this.known.set(entry.name, entry.raw);
      this.controls.refresh(entry.name);
      mode ||= entry.name === "global.control_mode";
    }
    if (mode || entries.some((e) => e.name === "global.effect_program")) {
      this.controls.refreshAll();
      this.actions.showMode(this.mode());
    }
    this.curvesSoon();
  }

  send(name, value) {
    if (!this.live.set(name, value) || !value.startsWith("raw:")) return; // typed text: the answer shows it
    this.wish.set(name, +value.slice(4));
    this.controls.refresh(name);
  }

  answered(name, msg, settled) {
    if (msg.type === "error") toast([msg.error, ...(msg.reasons || [])].join("\n"), true);
    else if (msg.notes && msg.notes.length) toast(msg.notes.join("\n"));
    if (name === null) return;
    if (settled) {
      this.wish.delete(name);
      this.controls.refresh(name);
    }
    this.curvesSoon();
  }

  // Asks for the curves now unless asked very lately; then once more when the pause ends.
  curvesSoon() {
    if (!this.graph) return;
    if (this.curveTimer) {
      this.curveAgain = true;
      return;
    }
    this.fetchCurves();
    this.curveTimer = setTimeout(() => {
      this.curveTimer = 0;
      if (this.curveAgain) {
        this.curveAgain = false;
        this.curvesSoon();
      }
    }, CURVE_PAUSE);
  }

  async fetchCurves() {
    const graph = this.graph;
    try {
      const data = await api.curves(this.room, this.pageKey);
      if (graph === this.graph) graph.update(data);
    } catch (error) {
      // The state line already says why; the next change asks again.
    }
  }
}
