#pragma once
// The main view's own controls: the six command buttons above the pages and the four page
// buttons below them. A widget's object name is its id in decimal.

namespace tonel::res::view {

enum Control : int {
    OpenFileButton = 1201,
    SaveFileButton = 1202,
    ReadButton = 1203,
    WriteButton = 1204,
    ModeButton = 1205,
    DisconnectButton = 1206,
    EffectPageButton = 1207,  // the page buttons follow the pages' order
    MicrophonePageButton = 1208,
    MusicPageButton = 1209,
    SystemPageButton = 1210,
};

}  // namespace tonel::res::view
