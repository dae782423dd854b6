// Menu texts and prompts of the commands. A prompt is "status-bar text\ntooltip"; a prompt
// without a second part gives no tooltip.
#pragma once

struct CommandText {
    int id;
    const char* menuText; // null for toolbar-only commands
    const char* prompt;   // null for none
};

// Null for an id without texts.
const CommandText* commandText(int id);
