unit TabReg;  { Registrierung von Tabula }
interface
implementation
end.
