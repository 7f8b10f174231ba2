#pragma once

class QTranslator;

// Loads the toolkit's own Japanese texts (the buttons of the file dialogs and message
// boxes: 開く, 保存, キャンセル) into `translator` and installs it in the application.
// The program speaks Japanese whatever the user's locale. False when the
// translations are not installed; the toolkit then keeps its English texts.
bool InstallToolkitTranslations(QTranslator& translator);
