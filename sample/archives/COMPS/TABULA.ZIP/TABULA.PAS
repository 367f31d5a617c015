unit Tabula;  { Tabellenkomponente }
interface
implementation
end.
