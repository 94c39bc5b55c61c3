#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

namespace quintar {

// The record files of the reference-table update: fixed-size records with no header,
// little-endian, 32-bit signed integers and IEEE 754 doubles. A date is a double of days
// since 30/12/1899 (its fraction, a time of day, is ignored).
enum class TipoCampo { Inteiro, Real, Data, Enchimento };

struct CampoDat {
    QString nome; // the table column it goes into; empty for padding
    TipoCampo tipo;
};

struct LayoutDat {
    QString arquivo; // "Diario.dat"
    QString tabela; // "DIARIO"
    QString arquivoTabela; // "Diario.db", the name shown while it is imported
    QVector<CampoDat> campos;
    int chaves = 2; // the first fields (padding aside) form the table's key

    int tamanho() const; // bytes of one record
    // The fields that carry a value, in record order (padding left out).
    QVector<CampoDat> valores() const;
};

enum class ArquivoDat { FaixasINSS, Valores, FaixasIR2, Diario };

const LayoutDat& Layout(ArquivoDat arquivo);

// One record's values in the order of LayoutDat::valores(): an Inteiro as int, a Real as
// double, a Data as QDate.
using RegistroDat = QVector<QVariant>;

// The whole records of the bytes; resto receives the length of a trailing partial record
// (0 when the length is a whole multiple of the record size).
QVector<RegistroDat> DecodificaRegistros(const LayoutDat& layout, const QByteArray& bytes, int* resto = nullptr);
QByteArray CodificaRegistros(const LayoutDat& layout, const QVector<RegistroDat>& registros);

// Why a record cannot go into its table (a month outside 1..12, a date outside 1900..9999,
// a value that is not a finite number, an index that is not positive); empty when it can.
QString ProblemaRegistro(const LayoutDat& layout, const RegistroDat& registro);

// Days since 30/12/1899 and back. DataDoReal gives a null date for a value that is not a
// finite number or falls outside 1900..9999.
double RealDaData(QDate data);
QDate DataDoReal(double dias);

} // namespace quintar
