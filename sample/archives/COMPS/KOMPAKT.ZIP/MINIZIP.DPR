program MiniZip;

begin
end.
