unit FBReg;  { Formularblatt }
interface
implementation
end.
