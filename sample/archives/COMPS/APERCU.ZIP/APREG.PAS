unit APReg;  { Apercu }
interface
implementation
end.
