// The app: routes (#/ the rooms, #/ROOM/PAGE a room on a page), the language switch and sign-in.
import { PAGES } from "../layout.js";
import { api, signIn, whenUnauthorised } from "./api.js";
import { h } from "./dom.js";
import { lang, reasonText, t, toggleLang } from "./i18n.js";
import { RoomView } from "./room.js";

const app = document.getElementById("app");
const langButton = document.querySelector("[data-action=lang]");
let catalog = null;
let view = null; // the RoomView shown, if any
let roomsTimer = 0;
let locked = false;

function lock() {
  if (locked) return;
  locked = true;
  leave();
  app.replaceChildren();
  document.body.classList.add("locked");
  document.getElementById("login").hidden = false;
  document.getElementById("token").focus();
}

whenUnauthorised(lock);

function leave() {
  clearTimeout(roomsTimer);
  roomsTimer = 0;
  if (view) view.destroy();
  view = null;
}

function timeText(iso) {
  if (!iso) return t("never");
  const when = new Date(iso);
  const locale = lang() === "zh" ? "zh-CN" : "en-GB";
  // Today's reads by the time alone; older ones with their date.
  return when.toDateString() === new Date().toDateString() ? when.toLocaleTimeString(locale) : when.toLocaleString(locale);
}

function roomItem(p, page) {
  return h("a", { class: "room", href: `#/${encodeURIComponent(p.name)}/${page}`, "data-room": p.name,
    "data-state": p.state },
  h("span", { class: "name", text: p.name }),
  h("span", { class: "state", text: t(p.state) }),
  h("span", { class: "reason", text: reasonText(p.reason) }),
  h("span", { class: "last-read", text: `${t("lastRead")}: ${timeText(p.lastRead)}` }));
}

async function showRooms(list) {
  const page = sessionStorage.getItem("tonel.page") || PAGES[0].key;
  try {
    const { processors } = await api.processors();
    if (locked || list !== app.firstChild) return;
    const rooms = list.querySelector("#rooms");
    rooms.replaceChildren(...processors.map((p) => roomItem(p, page)));
    if (!processors.length) rooms.append(h("p", { class: "empty", text: t("noRooms") }));
  } catch (error) {
    if (error.status === 401) return;
  }
  roomsTimer = setTimeout(() => showRooms(list), 2000);
}

function route() {
  if (locked || !catalog) return;
  const parts = location.hash.replace(/^#\/?/, "").split("/").filter(Boolean).map(decodeURIComponent);
  if (parts.length === 0) {
    leave();
    document.title = t("title");
    const list = h("section", { class: "rooms-view" }, h("h1", { text: t("rooms") }), h("div", { id: "rooms" }));
    app.replaceChildren(list);
    showRooms(list);
    return;
  }
  const [room, key = PAGES[0].key] = parts;
  if (!PAGES.some((p) => p.key === key)) {
    location.replace(`#/${encodeURIComponent(room)}/${PAGES[0].key}`);
    return;
  }
  sessionStorage.setItem("tonel.page", key);
  document.title = `${room} · Tonel`;
  if (view && view.room === room) {
    view.showPage(key);
    return;
  }
  leave();
  view = new RoomView(room, key, catalog, PAGES);
  app.replaceChildren(view.el);
}

function relabel() {
  langButton.textContent = t("lang");
  document.title = t("title");
  document.querySelector("#login h1").textContent = t("signIn");
  document.querySelector("#login label").textContent = t("tokenLabel");
  document.querySelector("#login p.help").textContent = t("signInHelp");
  document.querySelector("#login button").textContent = t("signIn");
  const dialog = document.getElementById("confirm");
  for (const key of ["confirm", "cancel", "force"]) dialog.querySelector(`[data-action=${key}]`).textContent = t(key);
}

langButton.addEventListener("click", () => {
  toggleLang();
  relabel();
  if (view) view.render();
  else route();
});

document.querySelector("#login form").addEventListener("submit", async (event) => {
  event.preventDefault();
  const token = document.getElementById("token").value.trim();
  const error = document.querySelector("#login .error");
  if (token && (await signIn(token))) {
    location.reload();
    return;
  }
  error.textContent = t("wrongToken");
});

window.addEventListener("hashchange", route);
relabel();
try {
  const list = await api.catalog();
  catalog = new Map(list.map((entry) => [entry.name, entry]));
  route();
} catch (error) {
  if (error.status !== 401) app.replaceChildren(h("p", { class: "fatal", text: error.message }));
}
