unit RundKnpf;

{ Runde Knöpfe }

interface

uses
  Classes;

procedure Register;

implementation

procedure Register;
begin
end;

end.
