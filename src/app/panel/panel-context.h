#pragma once
// One set-up of the widget library's context, shared by the on-screen panel and the headless
// one, so that both lay the controls out with the same font, style and key table.

// Configures the current context: no settings file, the panel's colours, the key table of the
// window system's key codes, and a built font atlas.
void ConfigurePanelContext();
