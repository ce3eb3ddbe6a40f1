#pragma once

#include <QString>

namespace vellum {

/// The system clipboard's text. Texts cross it in the editor's form (CR LF line breaks); an
/// implementation converts to and from what the desktop expects.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    /// Whether text() would be non-empty; an implementation may answer without fetching it.
    virtual bool hasText() const { return !text().isEmpty(); }
};

/// A clipboard of the program's own, for text that must not reach the desktop.
class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }

private:
    QString m_text;
};

} // namespace vellum
