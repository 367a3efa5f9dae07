// The update command as the application runs it: the updater's objects wired
// to Qt and owned by the application object for the life of the program.
#pragma once

#include "atualizacao/qt/PlataformaQt.hpp"
#include "atualizacao/uAtualizacaoAPI.hpp"

#include <QObject>
#include <memory>

class QWidget;

namespace atualizacao::qt {

class TAtualizacaoQt final : public QObject {
    Q_OBJECT
public:
    // `pasta` is the program's folder; by default the executable's.
    explicit TAtualizacaoQt(QObject* dono, const IPastaPrograma* pasta = nullptr);
    ~TAtualizacaoQt() override;

    // Runs VerificarAtualizacao; an error that stops it is shown over `janela`.
    void VerificarAtualizacao(QWidget* janela);
    TAtualizacaoAPI* Api() const { return FApi.get(); }

private:
    void Libera();

    TPastaDoExecutavel FPastaExecutavel;
    TThreadUIQt FThreadUI;
    TShellQt FShell;
    std::unique_ptr<TAtualizacaoAPI> FApi;
};

// The instance owned by the application object, made on first use.
TAtualizacaoQt& AtualizacaoDaAplicacao();

} // namespace atualizacao::qt
