#pragma once

#include "core/app/prompter.h"

class QWidget;

namespace vellum {

/// Real message boxes, titled with the application's name, over `parent` (or the desktop).
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void inform(const QString& text) override;
    void error(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace vellum
