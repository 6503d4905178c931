// The four pages of the panel in tab order: every control of the desktop page, grouped and
// captioned like it, with English captions beside the Chinese ones.
//
// The data after "PAGES =" is plain JSON so tools can read it without a JavaScript engine
// (tests/web/panel/layout_check.py does).
//
// A group holds either `controls` ({param, zh, en}) or `bands` ({prefix, zh, en}: the four
// parameters PREFIX.type/.freq/.gain/.q). Optional keys:
//   as    "slider" | "select" | "segmented" | "field", instead of the kind the catalog implies;
//   when  {param, is: [raw, ...]}: shown only while that parameter holds one of the values. The
//         Effect page edits the selected program only: the processor takes the effect commands
//         for whichever program is selected, so the other programs' controls must stay hidden;
//   full  on a control, true: usable in Full mode only. On a band, the parts locked in Easy
//         mode: the type choice, and the typing into frequency and Q (their step buttons and
//         the gain keep working there). What a band's own type switches off (a notch has no
//         gain) follows from the type's value, not from here;
//   atMost  the parameter this one may not rise above (a main level above the maximum level
//         is refused; lowering the maximum pulls the main level down with it);
//   values  [{raw, zh, en}]: the choices' captions, where the processor's own names are
//         Chinese only (elsewhere the catalog's texts serve both languages).
// A page's `overlay` names the parameters its graph's crossover overlay is drawn from, so the
// graph is fetched again when one of them changes.
export const PAGES = [
  {"key": "effect", "zh": "效果", "en": "Effect", "graph": true, "groups": [
    {"zh": "效果参量均衡", "en": "Effect parametric EQ", "bands": [
      {"prefix": "effect1.eq1", "zh": "均衡1", "en": "Band 1", "when": {"param": "global.effect_program", "is": [0]}, "full": ["type", "freq", "q"]},
      {"prefix": "effect2.eq1", "zh": "均衡1", "en": "Band 1", "when": {"param": "global.effect_program", "is": [1]}, "full": ["type", "freq", "q"]},
      {"prefix": "effect3.eq1", "zh": "均衡1", "en": "Band 1", "when": {"param": "global.effect_program", "is": [2]}, "full": ["type", "freq", "q"]},
      {"prefix": "effect1.eq2", "zh": "均衡2", "en": "Band 2", "when": {"param": "global.effect_program", "is": [0]}, "full": ["type", "freq", "q"]},
      {"prefix": "effect2.eq2", "zh": "均衡2", "en": "Band 2", "when": {"param": "global.effect_program", "is": [1]}, "full": ["type", "freq", "q"]},
      {"prefix": "effect3.eq2", "zh": "均衡2", "en": "Band 2", "when": {"param": "global.effect_program", "is": [2]}, "full": ["type", "freq", "q"]}
    ]},
    {"zh": "效果音量", "en": "Effect levels", "controls": [
      {"param": "effect1.master_level", "zh": "主音量", "en": "Master", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.master_level", "zh": "主音量", "en": "Master", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.master_level", "zh": "主音量", "en": "Master", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.to_left_right", "zh": "到左右", "en": "To L/R", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.to_left_right", "zh": "到左右", "en": "To L/R", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.to_left_right", "zh": "到左右", "en": "To L/R", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.to_centre", "zh": "到中置", "en": "To centre", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.to_centre", "zh": "到中置", "en": "To centre", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.to_centre", "zh": "到中置", "en": "To centre", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.to_aux1", "zh": "到辅助1", "en": "To aux 1", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.to_aux1", "zh": "到辅助1", "en": "To aux 1", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.to_aux1", "zh": "到辅助1", "en": "To aux 1", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.to_aux2", "zh": "到辅助2", "en": "To aux 2", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.to_aux2", "zh": "到辅助2", "en": "To aux 2", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.to_aux2", "zh": "到辅助2", "en": "To aux 2", "when": {"param": "global.effect_program", "is": [2]}}
    ]},
    {"zh": "效果参数", "en": "Effect parameters", "controls": [
      {"param": "effect1.extension", "zh": "效果扩展", "en": "Extension", "when": {"param": "global.effect_program", "is": [0]}, "as": "segmented"},
      {"param": "effect2.extension", "zh": "效果扩展", "en": "Extension", "when": {"param": "global.effect_program", "is": [1]}, "as": "segmented"},
      {"param": "effect3.extension", "zh": "效果扩展", "en": "Extension", "when": {"param": "global.effect_program", "is": [2]}, "as": "segmented"},
      {"param": "effect1.delay", "zh": "延时", "en": "Delay", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.delay", "zh": "延时", "en": "Delay", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.delay", "zh": "延时", "en": "Delay", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.repeat", "zh": "重复", "en": "Repeat", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.repeat", "zh": "重复", "en": "Repeat", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.repeat", "zh": "重复", "en": "Repeat", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.reverb_time", "zh": "混响时间", "en": "Reverb time", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.reverb_time", "zh": "混响时间", "en": "Reverb time", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.reverb_time", "zh": "混响时间", "en": "Reverb time", "when": {"param": "global.effect_program", "is": [2]}},
      {"param": "effect1.reverb_echo_mix", "zh": "混响/回声", "en": "Reverb/echo mix", "when": {"param": "global.effect_program", "is": [0]}},
      {"param": "effect2.reverb_echo_mix", "zh": "混响/回声", "en": "Reverb/echo mix", "when": {"param": "global.effect_program", "is": [1]}},
      {"param": "effect3.reverb_echo_mix", "zh": "混响/回声", "en": "Reverb/echo mix", "when": {"param": "global.effect_program", "is": [2]}}
    ]}
  ]},
  {"key": "microphone", "zh": "话筒", "en": "Microphone", "graph": true, "groups": [
    {"zh": "话筒音量", "en": "Microphone levels", "controls": [
      {"param": "mic.main_level", "zh": "主音量", "en": "Master", "atMost": "mic.max_level"},
      {"param": "mic.send_lr", "zh": "到左右", "en": "To L/R"},
      {"param": "mic.send_centre", "zh": "到中置", "en": "To centre"},
      {"param": "mic.send_aux1", "zh": "到辅助1", "en": "To aux 1"},
      {"param": "mic.send_aux2", "zh": "到辅助2", "en": "To aux 2"}
    ]},
    {"zh": "话筒参量均衡", "en": "Microphone parametric EQ", "bands": [
      {"prefix": "mic.mic1_eq", "zh": "话筒1", "en": "Mic 1", "full": ["type", "freq", "q"]},
      {"prefix": "mic.mic2_eq", "zh": "话筒2", "en": "Mic 2", "full": ["type", "freq", "q"]},
      {"prefix": "mic.eq1", "zh": "共享2", "en": "Shared 2", "full": ["type", "freq", "q"]},
      {"prefix": "mic.eq2", "zh": "共享3", "en": "Shared 3", "full": ["type", "freq", "q"]},
      {"prefix": "mic.eq3", "zh": "共享4", "en": "Shared 4", "full": ["type", "freq", "q"]},
      {"prefix": "mic.eq4", "zh": "共享5", "en": "Shared 5", "full": ["type", "freq", "q"]},
      {"prefix": "mic.eq5", "zh": "共享6", "en": "Shared 6", "full": ["type", "freq", "q"]}
    ]},
    {"zh": "话筒参数", "en": "Microphone processing", "controls": [
      {"param": "mic.max_level", "zh": "话筒最大音量", "en": "Max level"},
      {"param": "mic.exciter", "zh": "话筒激励", "en": "Exciter", "as": "segmented"},
      {"param": "mic.noise_gate", "zh": "话筒噪声门", "en": "Noise gate", "as": "segmented"},
      {"param": "mic.limiter", "zh": "话筒限幅", "en": "Limiter", "as": "field"},
      {"param": "mic.auto_gain", "zh": "话筒自动增益", "en": "Auto gain", "as": "segmented"},
      {"param": "mic.link", "zh": "话筒12组链接", "en": "Link mic 1 + 2", "as": "segmented"},
      {"param": "mic.feedback", "zh": "话筒反馈抑制", "en": "Feedback suppression", "as": "segmented"}
    ]},
    {"zh": "输入增益", "en": "Input gain", "controls": [
      {"param": "mic.input_gain1", "zh": "话筒1", "en": "Mic 1"},
      {"param": "mic.input_gain2", "zh": "话筒2", "en": "Mic 2"}
    ]}
  ]},
  {"key": "music", "zh": "音乐", "en": "Music", "graph": true, "groups": [
    {"zh": "音乐音量", "en": "Music levels", "controls": [
      {"param": "music.main_level", "zh": "主音量", "en": "Master", "atMost": "music.max_level"},
      {"param": "music.send_lr", "zh": "到左右", "en": "To L/R"},
      {"param": "music.send_centre", "zh": "到中置", "en": "To centre"},
      {"param": "music.send_sub", "zh": "超低音", "en": "To sub"},
      {"param": "music.send_aux1", "zh": "到辅助1", "en": "To aux 1"},
      {"param": "music.send_aux2", "zh": "到辅助2", "en": "To aux 2"}
    ]},
    {"zh": "音乐参量均衡", "en": "Music parametric EQ", "bands": [
      {"prefix": "music.eq1", "zh": "均衡1", "en": "Band 1", "full": ["type", "freq", "q"]},
      {"prefix": "music.eq2", "zh": "均衡2", "en": "Band 2", "full": ["type", "freq", "q"]},
      {"prefix": "music.eq3", "zh": "均衡3", "en": "Band 3", "full": ["type", "freq", "q"]},
      {"prefix": "music.eq4", "zh": "均衡4", "en": "Band 4", "full": ["type", "freq", "q"]},
      {"prefix": "music.eq5", "zh": "均衡5", "en": "Band 5", "full": ["type", "freq", "q"]}
    ]},
    {"zh": "音乐参数", "en": "Music processing", "controls": [
      {"param": "music.max_level", "zh": "音乐最大音量", "en": "Max level"},
      {"param": "music.noise_gate", "zh": "音乐噪声门", "en": "Noise gate", "as": "segmented"},
      {"param": "music.limiter", "zh": "音乐限幅", "en": "Limiter", "as": "field"},
      {"param": "music.auto_gain", "zh": "音乐自动增益", "en": "Auto gain", "as": "segmented"},
      {"param": "music.input_select", "zh": "输入选择", "en": "Input source", "as": "segmented"}
    ]},
    {"zh": "输入增益", "en": "Input gain", "controls": [
      {"param": "music.input_gain", "zh": "输入", "en": "Music input"},
      {"param": "music.bgm_gain", "zh": "BGM", "en": "Background music"}
    ]}
  ]},
  {"key": "system", "zh": "系统", "en": "System", "graph": true, "overlay": ["sub.high_pass", "sub.low_pass"], "groups": [
    {"zh": "输出音量", "en": "Output levels", "controls": [
      {"param": "centre.level", "zh": "中置", "en": "Centre"},
      {"param": "sub.level", "zh": "超低音", "en": "Subwoofer"},
      {"param": "aux1.level", "zh": "辅助1", "en": "Aux 1"},
      {"param": "aux2.level", "zh": "辅助2", "en": "Aux 2"}
    ]},
    {"zh": "系统设置", "en": "Processor settings", "controls": [
      {"param": "global.effect_program", "zh": "效果模式", "en": "Effect program", "as": "segmented", "values": [{"raw": 0, "zh": "甜美", "en": "Sweet"}, {"raw": 1, "zh": "豪迈", "en": "Bold"}, {"raw": 2, "zh": "激情", "en": "Passionate"}]},
      {"param": "global.panel_lock", "zh": "面板锁", "en": "Front-panel lock", "as": "segmented"},
      {"param": "global.display_contrast", "zh": "显示对比度", "en": "Display contrast", "as": "segmented"}
    ]},
    {"zh": "环绕延时", "en": "Surround delay", "controls": [
      {"param": "aux1.delay", "zh": "辅助1", "en": "Aux 1", "as": "field"},
      {"param": "aux2.delay", "zh": "辅助2", "en": "Aux 2", "as": "field"}
    ]},
    {"zh": "房间均衡", "en": "Room EQ", "bands": [
      {"prefix": "room.eq1", "zh": "均衡1", "en": "Band 1", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq2", "zh": "均衡2", "en": "Band 2", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq3", "zh": "均衡3", "en": "Band 3", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq4", "zh": "均衡4", "en": "Band 4", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq5", "zh": "均衡5", "en": "Band 5", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq6", "zh": "均衡6", "en": "Band 6", "full": ["type", "freq", "q"]},
      {"prefix": "room.eq7", "zh": "均衡7", "en": "Band 7", "full": ["type", "freq", "q"]}
    ]},
    {"zh": "中置均衡", "en": "Centre EQ", "bands": [
      {"prefix": "centre.eq1", "zh": "均衡1", "en": "Band C1", "full": ["type", "freq", "q"]},
      {"prefix": "centre.eq2", "zh": "均衡2", "en": "Band C2", "full": ["type", "freq", "q"]}
    ]},
    {"zh": "低音均衡", "en": "Subwoofer EQ", "bands": [
      {"prefix": "sub.eq1", "zh": "均衡1", "en": "Band S1", "full": ["type", "freq", "q"]},
      {"prefix": "sub.eq2", "zh": "均衡2", "en": "Band S2", "full": ["type", "freq", "q"]}
    ]},
    {"zh": "低音设置", "en": "Subwoofer", "controls": [
      {"param": "sub.phase", "zh": "低音相位", "en": "Phase", "as": "segmented"},
      {"param": "sub.high_pass", "zh": "低音高通", "en": "High-pass", "as": "field"},
      {"param": "sub.low_pass", "zh": "低音低通", "en": "Low-pass", "as": "field"},
      {"param": "sub.auto_attenuation", "zh": "自动衰减", "en": "Auto attenuation", "as": "select"}
    ]}
  ]}
];
