unit KPReg;  { KompaktPack }
interface
implementation
end.
