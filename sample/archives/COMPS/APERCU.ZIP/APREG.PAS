unit APReg;

{ Apercu }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
