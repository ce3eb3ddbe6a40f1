#pragma once

#include "core/app/prompter.h"

#include <QStringList>

namespace vellum::test {

/// Records every message instead of showing a box.
class ScriptedPrompter : public Prompter {
public:
    void inform(const QString& text) override { informed << text; }
    void error(const QString& text) override { errors << text; }

    QStringList informed;
    QStringList errors;
};

} // namespace vellum::test
