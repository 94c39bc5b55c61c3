#pragma once

#include "DadosRelatorio.h"
#include "Paginas.h"
#include "TextoRico.h"

#include <QString>
#include <QVector>

class QMimeData;
class QPagedPaintDevice;

namespace quintar {

// One prepared report: its pages (preview, printer, PDF) and, for the reports that go to
// RTF and the clipboard, its flowing text.
struct Relatorio {
    QString nome;
    QVector<Pagina> paginas;
    DocumentoTexto texto;
    bool temPaginas = false;
    bool temTexto = false;
};

// The summary with its three framed boxes: screen, printer and PDF.
Relatorio frRepCalc(const DadosRelatorio& dados);
// The one-column summary without frame lines: RTF file and clipboard.
Relatorio frRepRTF(const DadosRelatorio& dados);
// The monthly statement in two passes, each from a new page: every destination.
Relatorio RepDemoMensal(const DadosRelatorio& dados);

// The composite: the chosen reports one after the other.
class TodosRep {
public:
    void limpa() { relatorios_.clear(); }
    void adiciona(Relatorio relatorio) { relatorios_.append(std::move(relatorio)); }
    bool vazio() const { return relatorios_.isEmpty(); }
    const QVector<Relatorio>& relatorios() const { return relatorios_; }

    // Every page of every report, in order.
    QVector<Pagina> paginas() const;
    // The reports' texts, each from a new page.
    DocumentoTexto texto() const;

    void imprime(QPagedPaintDevice& dispositivo) const;
    void gravaPdf(const QString& caminho, const QString& titulo) const;
    void gravaRtf(const QString& caminho) const;
    // RTF, HTML and plain text for the clipboard, made in memory (no file is written).
    QMimeData* areaTransferencia() const;

private:
    QVector<Relatorio> relatorios_;
};

// The destinations of the reports dialog, in its order.
enum class Destino { Video, Impressora, ArquivoPdf, ArquivoRtf, AreaTransferencia };

// Empties the composite and adds the chosen reports for the destination: the summary first
// (frRepCalc for screen, printer and PDF; frRepRTF for RTF and clipboard), then the statement.
void PreparaTodosRep(TodosRep& todos, const DadosRelatorio& dados, bool resumo, bool demonstrativo, Destino destino);

// The file name proposed for an export: the case key and ".PDF" or ".RTF".
QString NomeProposto(const DadosRelatorio& dados, Destino destino);

} // namespace quintar
