// The window's message boxes and folder chooser behind one seam, so that
// tests observe them directly instead of waiting for modal dialogs.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace loja {

class IDialogos {
public:
    virtual ~IDialogos() = default;
    // A message with an OK button; the text may hold CR LF line breaks.
    virtual void Mensagem(QWidget* pai, const QString& texto) = 0;
    // The chosen folder, or nothing when the user cancels.
    virtual std::optional<QString> EscolhePasta(QWidget* pai, const QString& titulo) = 0;
};

// The real dialogs of the desktop.
class TDialogosQt : public IDialogos {
public:
    void Mensagem(QWidget* pai, const QString& texto) override;
    std::optional<QString> EscolhePasta(QWidget* pai, const QString& titulo) override;
};

} // namespace loja
