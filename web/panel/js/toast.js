// A short message at the foot of the screen, read out by screen readers.
let timer = 0;

export function toast(text, isError = false) {
  const el = document.getElementById("toast");
  el.textContent = text;
  el.classList.toggle("error", isError);
  el.classList.add("shown");
  clearTimeout(timer);
  timer = setTimeout(() => el.classList.remove("shown"), isError ? 6000 : 2500);
}
