// The borderless status window shown while the updater downloads: a message,
// a picture, and a progress bar with the speed written on it.
#pragma once

#include "atualizacao/Plataforma.hpp"

#include <QWidget>

class QFrame;
class QLabel;
class QProgressBar;

namespace atualizacao::qt {

class TFStatusAtualizacaoAPI final : public QWidget, public IStatusAtualizacao {
    Q_OBJECT
public:
    explicit TFStatusAtualizacaoAPI(QWidget* pai = nullptr);

    void Mostra() override;
    void Fecha() override;
    void DefineMaximo(std::int32_t maximo) override;
    void DefinePosicao(std::int32_t posicao) override;
    void DefineTexto(const std::string& texto) override;

    QLabel* Image1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* LbStatus = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Image2 = nullptr;

private:
    void FormCreate();
};

} // namespace atualizacao::qt
