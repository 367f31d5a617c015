unit KKReg;  { Kurven und Kennlinien }
interface
implementation
end.
