// The four pages' groups and captions, in tab order. A small stand-in: the full layout replaces it.
export const PAGES = [
  { key: "effect", zh: "效果", en: "Effect", graph: true,
    groups: [
      { zh: "效果", en: "Effect",
        controls: [
          { param: "global.effect_program", zh: "效果程序", en: "Program", as: "segmented" },
          { param: "effect1.master_level", zh: "总音量", en: "Master", when: { param: "global.effect_program", is: [0] } },
          { param: "effect1.delay", zh: "延时", en: "Delay", when: { param: "global.effect_program", is: [0] } },
          { param: "effect2.master_level", zh: "总音量", en: "Master", when: { param: "global.effect_program", is: [1] } },
          { param: "effect3.master_level", zh: "总音量", en: "Master", when: { param: "global.effect_program", is: [2] } },
        ],
        bands: [
          { prefix: "effect1.eq1", zh: "1", en: "1", when: { param: "global.effect_program", is: [0] } },
          { prefix: "effect1.eq2", zh: "2", en: "2", when: { param: "global.effect_program", is: [0] } },
        ] },
    ] },
  { key: "microphone", zh: "话筒", en: "Microphone", graph: true,
    groups: [
      { zh: "话筒", en: "Microphone",
        controls: [
          { param: "mic.main_level", zh: "主音量", en: "Main" },
          { param: "mic.max_level", zh: "最大音量", en: "Maximum" },
          { param: "mic.feedback", zh: "反馈抑制", en: "Feedback" },
          { param: "mic.link", zh: "联动", en: "Link" },
          { param: "mic.limiter", zh: "压限", en: "Limiter", full: true },
        ],
        bands: [
          { prefix: "mic.mic1_eq", zh: "话筒1", en: "Mic 1" },
          { prefix: "mic.eq1", zh: "1", en: "1" },
          { prefix: "mic.eq2", zh: "2", en: "2" },
        ] },
    ] },
  { key: "music", zh: "音乐", en: "Music", graph: true,
    groups: [
      { zh: "音乐", en: "Music",
        controls: [
          { param: "music.main_level", zh: "主音量", en: "Main" },
          { param: "music.input_select", zh: "输入选择", en: "Input" },
        ],
        bands: [
          { prefix: "music.eq1", zh: "1", en: "1" },
        ] },
    ] },
  { key: "system", zh: "系统", en: "System", graph: true,
    groups: [
      { zh: "系统", en: "System",
        controls: [
          { param: "sub.level", zh: "超低音", en: "Sub level" },
          { param: "sub.high_pass", zh: "高通", en: "High pass" },
          { param: "sub.low_pass", zh: "低通", en: "Low pass" },
          { param: "aux1.delay", zh: "辅助1延时", en: "Aux 1 delay" },
          { param: "sub.phase", zh: "相位", en: "Phase" },
        ],
        bands: [
          { prefix: "room.eq1", zh: "1", en: "1" },
          { prefix: "sub.eq1", zh: "S1", en: "S1" },
        ] },
    ] },
];
