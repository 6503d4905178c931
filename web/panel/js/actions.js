// A room's actions: read again, store, Easy/Full, download and upload (after a confirmation that
// names the room; a refusal of out-of-range bytes offers to send anyway only when the service does).
import { api, roomPath } from "./api.js";
import { h } from "./dom.js";
import { t } from "./i18n.js";
import { toast } from "./toast.js";

function failed(error) {
  if (error.status === 401) return;
  toast([`${t("refused")}: ${error.message}`, ...(error.reasons || [])].join("\n"), true);
}

export class Actions {
  // host: { room, image(details) (a fresh image), mode() }
  constructor(host) {
    this.host = host;
    const room = host.room;
    const run = (work, done) => async () => {
      try {
        const answer = await work();
        if (done) done(answer);
      } catch (error) {
        failed(error);
      }
    };
    this.read = h("button", { type: "button", "data-action": "read", text: t("read"),
      onclick: run(() => api.read(room), (details) => { host.image(details); toast(t("readDone")); }) });
    this.store = h("button", { type: "button", "data-action": "store", text: t("store"),
      onclick: run(() => api.store(room), () => toast(t("stored"))) });
    this.easy = h("button", { type: "button", "data-mode": "easy", "aria-pressed": "false", text: t("easy"),
      onclick: run(() => api.mode(room, "easy")) });
    this.full = h("button", { type: "button", "data-mode": "full", "aria-pressed": "false", text: t("full"),
      onclick: run(() => api.mode(room, "full")) });
    this.download = h("button", { type: "button", "data-action": "download", text: t("download"),
      onclick: () => this.save() });
    this.file = h("input", { type: "file", accept: ".cfg,application/octet-stream", "data-action": "upload",
      "aria-label": t("upload"), onchange: () => this.chosen() });
    this.el = h("div", { class: "actions" }, this.read, this.store,
      h("div", { class: "segments mode" }, this.easy, this.full), this.download,
      h("label", { class: "button upload" }, t("upload"), this.file));
  }

  showMode(mode) {
    this.easy.setAttribute("aria-pressed", String(mode === "easy"));
    this.full.setAttribute("aria-pressed", String(mode === "full"));
  }

  setOnline(online) {
    for (const el of [this.read, this.store, this.easy, this.full, this.file]) el.disabled = !online;
    this.file.parentElement.classList.toggle("disabled", !online);
  }

  save() {
    const link = h("a", { href: `${roomPath(this.host.room)}/image.cfg`, download: `${this.host.room}.cfg` });
    document.body.append(link);
    link.click();
    link.remove();
  }

  async chosen() {
    const file = this.file.files[0];
    this.file.value = "";
    if (!file) return;
    const bytes = await file.arrayBuffer();
    const room = this.host.room;
    const dialog = document.getElementById("confirm");
    const text = dialog.querySelector(".text");
    const reasons = dialog.querySelector(".reasons");
    const confirm = dialog.querySelector("[data-action=confirm]");
    const force = dialog.querySelector("[data-action=force]");
    text.textContent = t("confirmUpload", { file: file.name, room });
    reasons.replaceChildren();
    force.hidden = true;
    confirm.hidden = false;
    const send = async (forced) => {
      confirm.disabled = force.disabled = true;
      try {
        const details = await api.upload(room, bytes, forced);
        dialog.close();
        this.host.image(details);
        toast(t("uploaded"));
      } catch (error) {
        if (error.status === 401) return dialog.close();
        const offered = !forced && /force=1/.test(error.message);
        text.textContent = `${t("refused")}: ${error.message.replace(/\s*\([^)]*force=1[^)]*\)/, "")}`;
        reasons.replaceChildren(...error.reasons.map((r) => h("li", { text: r })));
        force.hidden = !offered;
        confirm.hidden = offered;
      } finally {
        confirm.disabled = force.disabled = false;
      }
    };
    confirm.onclick = () => send(false);
    force.onclick = () => send(true);
    dialog.querySelector("[data-action=cancel]").onclick = () => dialog.close();
    dialog.showModal();
  }
}
