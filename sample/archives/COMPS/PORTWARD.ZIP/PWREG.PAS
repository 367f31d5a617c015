unit PWReg;

{ Port warden, 16 bit }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
