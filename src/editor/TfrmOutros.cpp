#include "TfrmOutros.h"

#include "Navegador.h"
#include "Registros.h"
#include "RegrasEditores.h"

#include <QHeaderView>
#include <QToolButton>

namespace quintar {

TfrmOutros::TfrmOutros(Motor& motor, QWidget* pai) : TfrmGrades(motor, QStringLiteral("TAB_OUTROS_DESCRICAO"), pai)
{
    setWindowTitle(QStringLiteral("Outros"));
    Registros& r = *que1();
    r.ordem = QStringLiteral("DESCRICAO");
    r.antesDePostar = [](Registros& linha) {
        ExigeValor(linha, QStringLiteral("DESCRICAO"), QStringLiteral("Descrição"));
    };
    defineColunas({{.campo = QStringLiteral("DESCRICAO"), .titulo = QStringLiteral("Descrição"), .largura = 50}});
    gri1()->horizontalHeader()->setStretchLastSection(true);
    const std::pair<Navegador::Botao, const char*> dicas[] = {
        {Navegador::Proximo, "Próximo Registro"},
        {Navegador::Ultimo, "Último Registro"},
        {Navegador::Excluir, "Excluir Registro"},
        {Navegador::Alterar, "Editar registro"},
        {Navegador::Gravar, "Gravar alterações no registro"},
        {Navegador::Cancelar, "Cancelar alterações no registro"},
    };
    for (const auto& [botao, dica] : dicas) {
        nav1()->botao(botao)->setToolTip(QString::fromUtf8(dica));
        nav1()->botao(botao)->setAccessibleName(QString::fromUtf8(dica));
    }
    resize(520, 400);
}

bool TfrmOutros::ExecutaTipo(const QString& tipo)
{
    ValidaTipoOutros(tipo);
    setWindowTitle(QStringLiteral("Manter Descrição de Outros ")
        + (tipo == u"C" ? QStringLiteral("Créditos.") : QStringLiteral("Débitos.")));
    gri1()->setAccessibleName(windowTitle());
    que1()->abrePor(u"IND_CREDITO_DEBITO", tipo);
    gri1()->setFocus(Qt::OtherFocusReason);
    return exec() == QDialog::Accepted;
}

} // namespace quintar
