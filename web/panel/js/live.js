// One room followed over the service's WebSocket: its state, image and changes come in; changes go
// out coalesced, at most one unanswered frame per parameter (the latest wish waits for the answer).
import { roomPath } from "./api.js";

const FIRST_PAUSE = 500;
const LAST_PAUSE = 8000;

export class Live {
  // handlers: state(msg), image(msg), changed(entries), answered(name, msg, settled), socket(open)
  constructor(room, handlers) {
    this.room = room;
    this.on = handlers;
    this.nextId = 1;
    this.pending = new Map(); // name -> { id, value } sent, not yet answered
    this.wanted = new Map(); // name -> the latest value wished while one was pending
    this.names = new Map(); // id -> name
    this.pause = FIRST_PAUSE;
    this.closed = false;
    this.timer = 0;
    // A phone woken up tries again at once rather than at the end of a long pause.
    this.wake = () => {
      if (document.visibilityState !== "visible" || this.socket || this.closed) return;
      clearTimeout(this.timer);
      this.open();
    };
    document.addEventListener("visibilitychange", this.wake);
    this.open();
  }

  open() {
    const scheme = location.protocol === "https:" ? "wss" : "ws";
    const socket = new WebSocket(`${scheme}://${location.host}${roomPath(this.room)}/live`);
    this.socket = socket;
    socket.onopen = () => { this.pause = FIRST_PAUSE; this.on.socket(true); };
    socket.onmessage = (event) => this.receive(event.data);
    socket.onclose = () => {
      if (this.socket !== socket) return;
      this.socket = null;
      this.forget();
      if (this.closed) return;
      this.on.socket(false);
      this.timer = setTimeout(() => this.open(), this.pause);
      this.pause = Math.min(this.pause * 2, LAST_PAUSE);
    };
  }

  close() {
    this.closed = true;
    document.removeEventListener("visibilitychange", this.wake);
    clearTimeout(this.timer);
    if (this.socket) this.socket.close();
    this.socket = null;
  }

  // Whether a change of `name` is on its way (its widget keeps the user's value meanwhile).
  busy(name) { return this.pending.has(name) || this.wanted.has(name); }

  set(name, value) {
    if (!this.socket || this.socket.readyState !== WebSocket.OPEN) return false;
    if (this.pending.has(name)) this.wanted.set(name, value);
    else this.transmit(name, value);
    return true;
  }

  transmit(name, value) {
    const id = this.nextId++;
    this.pending.set(name, { id, value });
    this.names.set(id, name);
    this.socket.send(JSON.stringify({ set: { [name]: value }, id }));
  }

  receive(text) {
    let msg;
    try { msg = JSON.parse(text); } catch { return; }
    if (msg.type === "state") this.on.state(msg);
    else if (msg.type === "image") this.on.image(msg);
    else if (msg.type === "changed") this.on.changed(msg.parameters || []);
    else if (msg.type === "stored" || msg.type === "error") this.answer(msg);
  }

  answer(msg) {
    const name = this.names.get(msg.id);
    if (name === undefined) {
      this.on.answered(null, msg, true);
      return;
    }
    this.names.delete(msg.id);
    const sent = this.pending.get(name);
    this.pending.delete(name);
    const value = this.wanted.get(name);
    this.wanted.delete(name);
    const again = value !== undefined && value !== sent.value && this.socket;
    this.on.answered(name, msg, !again);
    if (again) this.transmit(name, value);
  }

  // A lost socket loses its answers: every waiting widget goes back to what is known.
  forget() {
    const names = new Set([...this.pending.keys(), ...this.wanted.keys()]);
    this.pending.clear();
    this.wanted.clear();
    this.names.clear();
    for (const name of names) this.on.answered(name, { type: "lost" }, true);
  }
}
