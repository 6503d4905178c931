// The service's HTTP API. A 401 anywhere means the token is missing: the app shows the sign-in.
let onUnauthorised = () => {};

export function whenUnauthorised(handler) { onUnauthorised = handler; }

export class ApiError extends Error {
  constructor(status, body) {
    super((body && body.error) || `HTTP ${status}`);
    this.status = status;
    this.reasons = (body && body.reasons) || [];
  }
}

export async function request(method, path, body, contentType = "application/json") {
  const init = { method, credentials: "same-origin", headers: {} };
  if (body !== undefined) {
    init.headers["Content-Type"] = contentType;
    init.body = contentType === "application/json" ? JSON.stringify(body) : body;
  }
  const response = await fetch(path, init);
  if (response.status === 401) {
    onUnauthorised();
    throw new ApiError(401, { error: "unauthorised" });
  }
  const type = response.headers.get("Content-Type") || "";
  const answer = type.startsWith("application/json") ? await response.json() : await response.text();
  if (!response.ok) throw new ApiError(response.status, typeof answer === "object" ? answer : { error: answer });
  return answer;
}

export const roomPath = (room) => `/api/processors/${encodeURIComponent(room)}`;

export const api = {
  catalog: () => request("GET", "/api/parameters"),
  processors: () => request("GET", "/api/processors"),
  details: (room) => request("GET", roomPath(room)),
  curves: (room, page) => request("GET", `${roomPath(room)}/curves?page=${page}`),
  read: (room) => request("POST", `${roomPath(room)}/read`),
  store: (room) => request("POST", `${roomPath(room)}/store`),
  mode: (room, mode) => request("POST", `${roomPath(room)}/mode`, { mode }),
  upload: (room, bytes, force) =>
    request("PUT", `${roomPath(room)}/image.cfg${force ? "?force=1" : ""}`, bytes, "application/octet-stream"),
};

// The service's sign-in: the token posted as a form (never in an address, where a proxy would log
// it); it answers with a cookie and sends the browser on to "/" (a right token ends in 200, a
// wrong one in 401).
export async function signIn(token) {
  const response = await fetch("/", {
    method: "POST",
    credentials: "same-origin",
    headers: { "Content-Type": "application/x-www-form-urlencoded" },
    body: new URLSearchParams({ token }).toString(),
  });
  return response.ok;
}
