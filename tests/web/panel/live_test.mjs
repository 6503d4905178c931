// The panel's live client under a fake WebSocket: one unanswered frame per parameter, the latest
// wish sent when the answer comes, waiting changes forgotten with a lost socket, reconnection.
import assert from "node:assert/strict";
import { test } from "node:test";

class FakeSocket {
  static OPEN = 1;
  constructor(url) {
    this.url = url;
    this.sent = [];
    this.readyState = 0;
    FakeSocket.last = this;
  }
  send(text) { this.sent.push(JSON.parse(text)); }
  close() { this.readyState = 3; this.onclose(); }
  open() { this.readyState = FakeSocket.OPEN; this.onopen(); }
  reply(id, type = "stored") { this.onmessage({ data: JSON.stringify({ type, id }) }); }
}

const pauses = [];
globalThis.WebSocket = FakeSocket;
globalThis.location = { protocol: "http:", host: "venue:8380" };
globalThis.document = new EventTarget();
document.visibilityState = "visible";
globalThis.setTimeout = (work, ms) => pauses.push({ work, ms });
globalThis.clearTimeout = () => {};
const { Live } = await import("../../../web/panel/js/live.js");

function followed() {
  const answered = [];
  const live = new Live("room 1", {
    state() {}, image() {}, changed() {}, socket() {},
    answered: (name, msg, settled) => answered.push([name, msg.type, settled]),
  });
  const socket = FakeSocket.last;
  socket.open();
  return { live, socket, answered };
}

test("a control being moved has one frame in flight per parameter; its latest value follows the answer", () => {
  const { live, socket, answered } = followed();
  assert.equal(socket.url, "ws://venue:8380/api/processors/room%201/live");
  for (const value of ["raw:1", "raw:2", "raw:3"]) live.set("mic.main_level", value);
  live.set("mic.max_level", "raw:7");
  assert.deepEqual(socket.sent, [{ set: { "mic.main_level": "raw:1" }, id: 1 }, { set: { "mic.max_level": "raw:7" }, id: 2 }]);
  assert.ok(live.busy("mic.main_level"));
  socket.reply(1);
  assert.deepEqual(socket.sent.at(-1), { set: { "mic.main_level": "raw:3" }, id: 3 });
  assert.deepEqual(answered, [["mic.main_level", "stored", false]]);
  socket.reply(3);
  socket.reply(2);
  assert.equal(socket.sent.length, 3);
  assert.deepEqual(answered.slice(1), [["mic.main_level", "stored", true], ["mic.max_level", "stored", true]]);
  assert.ok(!live.busy("mic.main_level"));
});

test("a refusal settles the parameter unless a different wish waits", () => {
  const { live, socket, answered } = followed();
  live.set("mic.eq1.freq", "1.5k");
  live.set("mic.eq1.freq", "1.5k");
  socket.reply(1, "error");
  live.set("mic.eq1.freq", "bad");
  live.set("mic.eq1.freq", "raw:9");
  socket.reply(2, "error");
  assert.deepEqual(socket.sent.map((frame) => frame.set["mic.eq1.freq"]), ["1.5k", "bad", "raw:9"]);
  assert.deepEqual(answered, [["mic.eq1.freq", "error", true], ["mic.eq1.freq", "error", false]]);
});

test("a lost socket forgets what waited and comes back after a pause that grows", () => {
  const { live, socket, answered } = followed();
  live.set("music.main_level", "raw:4");
  pauses.length = 0;
  socket.close();
  assert.deepEqual(answered, [["music.main_level", "lost", true]]);
  assert.ok(!live.busy("music.main_level"));
  assert.equal(live.set("music.main_level", "raw:5"), false);
  pauses.shift().work();
  FakeSocket.last.close();
  pauses.shift().work();
  FakeSocket.last.close();
  assert.deepEqual(pauses.map((p) => p.ms), [2000]);
  pauses.shift().work();
  FakeSocket.last.open();
  FakeSocket.last.close();
  assert.equal(pauses.shift().ms, 500);
  const asleep = FakeSocket.last;
  document.dispatchEvent(new Event("visibilitychange"));
  assert.notEqual(FakeSocket.last, asleep, "a woken page does not wait out its pause");
  live.close();
  document.dispatchEvent(new Event("visibilitychange"));
  assert.equal(pauses.length, 0);
});
