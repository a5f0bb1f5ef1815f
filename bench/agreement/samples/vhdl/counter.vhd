-- A loadable up/down counter with a terminal-count flag.
library ieee;
use ieee.std_logic_1164.all;
use ieee.numeric_std.all;

entity counter is
    generic (
        WIDTH : positive := 8;
        LIMIT : natural := 16#FF#
    );
    port (
        clk     : in  std_logic;
        reset   : in  std_logic;
        load    : in  std_logic;
        up      : in  std_logic;
        value   : in  unsigned(WIDTH - 1 downto 0);
        count   : out unsigned(WIDTH - 1 downto 0);
        at_end  : out std_logic
    );
end entity counter;

architecture rtl of counter is
    signal current : unsigned(WIDTH - 1 downto 0) := (others => '0');
    constant ZERO  : unsigned(WIDTH - 1 downto 0) := (others => '0');
    type mode_t is (IDLE, COUNTING, HOLD);
    signal mode : mode_t := IDLE;
begin
    process (clk)
    begin
        if rising_edge(clk) then
            if reset = '1' then
                current <= ZERO;
                mode <= IDLE;
            elsif load = '1' then
                current <= value;
                mode <= HOLD;
            elsif up = '1' then
                if current = to_unsigned(LIMIT, WIDTH) then
                    current <= ZERO;
                else
                    current <= current + 1;
                end if;
                mode <= COUNTING;
            else
                current <= current - 1;
            end if;
        end if;
    end process;

    count <= current;
    at_end <= '1' when current = to_unsigned(LIMIT, WIDTH) else '0';

    check : process
    begin
        wait for 10 ns;
        assert WIDTH <= 32 report "counter wider than 32 bits" severity warning;
        wait;
    end process check;
end architecture rtl;
