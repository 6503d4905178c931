// Captions of the app's own words in both languages, and which one shows.
const WORDS = {
  title: ["Tonel 调音", "Tonel tuning"],
  rooms: ["房间", "Rooms"],
  connected: ["已连接", "connected"],
  connecting: ["连接中", "connecting"],
  offline: ["离线", "offline"],
  lastRead: ["上次读取", "last read"],
  never: ["从未", "never"],
  noRooms: ["没有处理器", "No processors"],
  back: ["房间", "Rooms"],
  read: ["重新读取", "Read again"],
  store: ["保存", "Store"],
  easy: ["简易", "Easy"],
  full: ["全功能", "Full"],
  download: ["下载", "Download"],
  upload: ["上传", "Upload"],
  graph: ["均衡曲线", "EQ curves"],
  type: ["类型", "Type"],
  freq: ["频率", "Frequency"],
  gain: ["增益", "Gain"],
  q: ["Q值", "Q"],
  down: ["减小", "Down"],
  up: ["增大", "Up"],
  confirmUpload: ["把 {file} 发送到 {room}？{room} 现在的设置将被替换。",
    "Send {file} to {room}? The settings {room} holds now are replaced."],
  confirm: ["发送", "Send"],
  cancel: ["取消", "Cancel"],
  force: ["仍然发送", "Send anyway"],
  refused: ["被拒绝", "Refused"],
  stored: ["已保存到处理器", "Stored in the processor"],
  readDone: ["已重新读取", "Read again"],
  uploaded: ["已发送", "Sent"],
  unreachable: ["服务无法连接", "the service cannot be reached"],
  signIn: ["登录", "Sign in"],
  tokenLabel: ["访问令牌", "Access token"],
  signInHelp: ["请输入场所的访问令牌。", "Enter the venue's access token."],
  wrongToken: ["令牌不正确", "That token is not right"],
  lang: ["English", "中文"],
  easyOnly: ["仅全功能模式", "Full mode only"],
};

const KEY = "tonel.lang";

function initial() {
  const chosen = localStorage.getItem(KEY);
  if (chosen === "zh" || chosen === "en") return chosen;
  return (navigator.language || "").toLowerCase().startsWith("zh") ? "zh" : "en";
}

let language = initial();
document.documentElement.lang = language;

export function lang() { return language; }

export function toggleLang() {
  language = language === "zh" ? "en" : "zh";
  localStorage.setItem(KEY, language);
  document.documentElement.lang = language;
}

// The word for `key`, with {name} places filled from `fill`.
export function t(key, fill = {}) {
  const pair = WORDS[key];
  let text = pair ? pair[language === "zh" ? 0 : 1] : key;
  for (const [name, value] of Object.entries(fill)) text = text.split(`{${name}}`).join(value);
  return text;
}

// The service words why a processor is away in English; the common reasons have Chinese too.
const REASONS = {
  "connection refused": "连接被拒绝",
  "host unreachable": "主机不可达",
  "no answer": "处理器无应答",
  "the line went down": "线路中断",
  "no such port": "没有这个端口",
  "in use by another program": "端口被其他程序占用",
  "unknown host (check the name)": "未知主机（请检查名称）",
  "name lookup timed out": "域名解析超时",
  "the device server closed the connection": "设备服务器关闭了连接",
  "permission denied — add your user to the dialout group": "没有权限：请把用户加入 dialout 组",
  "reply invalid (not a processor's greeting)": "应答无效（不是处理器的问候）",
};

export function reasonText(reason) {
  return (language === "zh" && REASONS[reason]) || reason || "";
}

// A layout entry's caption in the current language.
export function caption(entry) { return (language === "zh" ? entry.zh : entry.en) || entry.zh || entry.en || ""; }
