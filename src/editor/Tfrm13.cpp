#include "Tfrm13.h"

#include "Motor.h"
#include "Registros.h"
#include "RegrasEditores.h"

namespace quintar {

Tfrm13::Tfrm13(Motor& motor, QWidget* pai) : TfrmBaseSobre(motor, QStringLiteral("TAB_13_SALARIO"), pai)
{
    setWindowTitle(QStringLiteral("Apuração 13o Salário"));
    Registros& r = *que1();
    r.ordem = QStringLiteral("ANO DESC");
    r.colunasAtualizadas = {QStringLiteral("IND_CALCULA"), QStringLiteral("NUMERO_MESES")};
    r.antesDePostar = [](Registros& linha) { ValidaNumeroMeses(linha); };

    using T = ColunaGrade::Tipo;
    defineColunas({
        {.campo = QStringLiteral("IND_CALCULA"), .titulo = QStringLiteral("Calcular"), .tipo = T::Flag},
        {.campo = QStringLiteral("ANO"), .titulo = QStringLiteral("Ano"), .somenteLeitura = true, .largura = 5},
        {.campo = QStringLiteral("NUMERO_MESES"), .titulo = QStringLiteral("Nro Meses"), .zeros = 2},
        {.campo = QStringLiteral("VALOR_DEVIDO"),
            .titulo = QStringLiteral("Valor Devido"),
            .somenteLeitura = true,
            .largura = 12},
    });
    habilitaMarcarTodos(QStringLiteral("IND_CALCULA"));
    resize(600, 420);
}

void Tfrm13::geraLinhas()
{
    motor_.decimo.GeraAnos13Salario(processoId_);
}

} // namespace quintar
