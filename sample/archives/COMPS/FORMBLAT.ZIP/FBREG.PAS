unit FBReg;

{ Formularblatt }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
