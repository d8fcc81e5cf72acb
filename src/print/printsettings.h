#pragma once

// What the user chose for printing; kept by the main window and stored as settings.
struct PrintSettings
{
    int leftMarginMM = 20;
    int rightMarginMM = 10;
    int topMarginMM = 10;
    int bottomMarginMM = 10;
    int fontSize = 10;
    int orientation = 0; // 0 portrait, 1 landscape
    bool swapColumns = false;
    int printType = 0; // 0 list, 1 cards
};
