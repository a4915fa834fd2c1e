#include "ops/LocalKeyboard.h"

LocalKeyboard::LocalKeyboard(const AppPaths& paths, std::shared_ptr<HidBackend> backend,
                             MacroFile::Saving saving)
    : rules_(persist::AppRulesFile(paths.rulesFile())),
      watch_(std::make_shared<RefusalWatch>(std::move(backend))),
      link_(watch_) {
    configNote_ = config_.LoadWithFallback(paths.configFile, paths.shippedConfigFile);
    macros_ = std::make_unique<MacroFile>(paths.macroFile, files::FileReplacer(), saving);
    // The client joins after the lists are loaded, so it starts with them.
    client_ = std::make_unique<KeyboardClient>();
    operations_ = std::make_unique<KeyboardOperations>(*client_, watch_.get(), paths.uiFolder());
    operations_->UseRules(&rules_);
}

void LocalKeyboard::Connect() {
    if (logic_) return;
    logic_ = std::make_unique<KeyboardLogic>(&link_);
    // The connection read runs on the store's thread; the commands start from its result.
    KeyboardClient::Settle();
}

LocalKeyboard::~LocalKeyboard() {
    operations_.reset();
    logic_.reset();
    // Changes on their way may still rewrite the macro file; they finish before it goes.
    KeyboardClient::Settle();
    client_.reset();
    macros_.reset();
}
